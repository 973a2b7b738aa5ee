#!/usr/bin/env bash
# Twenty second instances started at once each deliver their own arguments and
# each end with their own reply: no start overwrites the arguments of another
# before the first instance has them.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/application.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_single_instance_application int
start_first_instance

expected=
for i in $(seq 1 20); do
  dots=$(printf '.%.0s' $(seq "$i"))
  start_second_instance "start$i" "$dots"
  expected+="$(secondary_call --result "$i" "$dots")"$'\n'
done
for i in $(seq 1 20); do expect_second_exit "start$i" "$i" 60; done
release_first_instance
expect_exit_without_dialog 0
assert_secondary_calls <<<"${expected%$'\n'}"
if [ "$E2E_PLATFORM" = windows ]; then assert_request_threads_detached; fi

#!/usr/bin/env bash
# Twenty second instances started at once each deliver their own arguments and
# each end with their own reply.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_probe
write_probe_settings probe.SecondaryInt "Single Instance=yes"
export PROBE_SECONDARY_LOG="$SCENARIO_DIR/secondary.log"
start_first_instance

expected=
for i in $(seq 1 20); do
  dots=$(printf '.%.0s' $(seq "$i"))
  start_second_instance "start$i" "$dots"
  expected+="args 1: $(probe_units "$dots") result $i"$'\n'
done
for i in $(seq 1 20); do expect_second_exit "start$i" "$i"; done
release_first_instance
expect_exit 0
assert_equals "$(sort <<<"${expected%$'\n'}")" "$(probe_secondary_calls)" "the calls of secondaryMain"

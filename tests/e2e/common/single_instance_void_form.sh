#!/usr/bin/env bash
# The void form of secondaryMain: the second instance is answered 0 as soon as
# the request is taken, before secondaryMain has run; the call still happens,
# and the first instance ends only after it.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/application.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_single_instance_application void
delay_secondary_main 5000
start_first_instance

run_second_instance quick 0 "file one.txt"
# A call is recorded when secondaryMain returns, 5 s after it began.
[ -z "$(secondary_calls)" ] || fail "secondaryMain had returned before the second instance ended"
release_first_instance
expect_exit_without_dialog 0
assert_secondary_calls <<<"$(secondary_call "file one.txt")"

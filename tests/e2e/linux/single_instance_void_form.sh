#!/usr/bin/env bash
# The void form of secondaryMain: the second instance is answered 0 as soon as
# the request is taken, before secondaryMain has run; the call still happens,
# and the first instance ends only after it (the request thread is attached).
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_probe
write_probe_settings probe.SecondaryVoid "Single Instance=yes"
export PROBE_SECONDARY_LOG="$SCENARIO_DIR/secondary.log" PROBE_SECONDARY_DELAY_MS=5000
start_first_instance

run_second_instance quick 0 "file one.txt"
[ -s "$PROBE_SECONDARY_LOG" ] && fail "secondaryMain had returned before the second instance ended"
release_first_instance
expect_exit 0
assert_file_is "$PROBE_SECONDARY_LOG" "call 1 args 1: $(probe_units "file one.txt")"

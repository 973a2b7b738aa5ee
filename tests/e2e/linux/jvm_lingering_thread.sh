#!/usr/bin/env bash
# A non-daemon thread that outlives main keeps the process alive: the launcher
# ends, with 0, only after the thread has.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
write_probe_settings probe.Probe

# The thread marks its end: a launcher that did not wait for it would end
# with no mark, the thread killed with the process.
start_launcher linger 1500 "$SCENARIO_DIR/thread-ended"
expect_exit 0
[ -e "$SCENARIO_DIR/thread-ended" ] || fail "the launcher ended before the application's thread"
assert_stdout_is "main returns"

#!/usr/bin/env bash
# A non-daemon thread that outlives main keeps the process alive: the launcher
# ends, with 0, only after the thread has, or with the code of a System.exit
# that the thread calls.
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

# Such a thread may end the run itself: System.exit on it, after main has
# returned, gives the exit code.
start_launcher thread-exit "$SCENARIO_DIR/go" 9
wait_for_output_line stdout "main returns"
: >"$SCENARIO_DIR/go"
expect_exit 9

#!/usr/bin/env bash
# A non-daemon thread that outlives main keeps the process alive: the launcher
# ends, with 0, only after the thread has.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
write_probe_settings probe.Probe

start_launcher linger 1500 "$SCENARIO_DIR/thread-ended"
sleep 1
launcher_running || fail "the launcher ended while the application's thread still ran"
[ -e "$SCENARIO_DIR/thread-ended" ] && fail "the thread ended too early to tell"
expect_exit 0
[ -e "$SCENARIO_DIR/thread-ended" ] || fail "the launcher ended before the application's thread"
assert_stdout_is "main returns"

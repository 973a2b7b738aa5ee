#!/usr/bin/env bash
# An exception thrown by main: with "Failure Check" off the run still ends
# with 0 (the runtime reports it); with it on, its trace goes to the
# application's System.err (an "Error File" keeps it) and the application is
# stopped with -1, without a question even on a terminal.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe

write_probe_settings probe.Probe "Failure Check=no"
start_launcher throw
expect_exit 0
assert_stderr_has 'Exception in thread "main" java.lang.IllegalStateException: thrown by main'

write_probe_settings probe.Probe "Failure Check=YES"
start_launcher throw
expect_exit 255
assert_stderr_has 'Exception in thread "main" java.lang.IllegalStateException: thrown by main'
assert_stderr_has "at probe.Probe.main(Probe.java"
# Once: the trace is not printed again by the launcher.
assert_equals 1 "$(grep -c 'IllegalStateException' "$SCENARIO_DIR/stderr.txt")" "traces on standard error"
# Stopped even while a thread of the application still runs (it waits for a
# file that never comes).
start_launcher hold-throw "$SCENARIO_DIR/never"
expect_exit 255
assert_stderr_has 'java.lang.IllegalStateException: thrown while a thread runs'

# The error file gets the whole trace, characters beyond ASCII included.
write_probe_settings probe.Probe $'Failure Check=Yes\nError File=err.txt'
start_launcher throw-text "Grüße 😀"
expect_exit 255
grep -qF "java.lang.IllegalStateException: Grüße 😀" "$SCENARIO_DIR/err.txt" || fail "the error file lacks the trace"
grep -qF "at probe.Probe.main(Probe.java" "$SCENARIO_DIR/err.txt" || fail "the error file lacks the stack"

# On a terminal nothing is asked.
(cd "$SCENARIO_DIR" && exec timeout 60 script -qec "./launcher throw" /dev/null </dev/null >"$SCENARIO_DIR/terminal.txt" 2>&1)
assert_equals 255 "$?" "exit code on a terminal"
grep -qF "thrown by main" "$SCENARIO_DIR/err.txt" || fail "the error file lacks the trace of the run on a terminal"

#!/usr/bin/env bash
# Single instance on a real JVM: a later start hands its arguments to the
# first one, whose secondaryMain runs on a thread the launcher attached. The
# int form's value is the second instance's exit code (an empty argument and
# characters beyond ASCII arrive whole), and 0 when it throws (the exception
# is printed on the first instance's standard error); the void form answers 0
# at once, and the first instance ends only after the call, once main has
# returned.
source "$(dirname "$0")/../../lib.sh"
source "$(dirname "$0")/../../lib/java_probe.sh"
source "$(dirname "$0")/../../lib/instance.sh"
begin_scenario

install_probe
export PROBE_SECONDARY_LOG
PROBE_SECONDARY_LOG=$(win_path "$SCENARIO_DIR/secondary.log")
secondary_log="$SCENARIO_DIR/secondary.log"

write_probe_settings probe.SecondaryInt "Single Instance=yes"
start_first_instance
run_second_instance middle 2 a "" b
run_second_instance text 4 "é中😀"  # 😀 is two UTF-16 units
run_second_instance thrower 0 throw
release_first_instance
expect_exit_without_dialog 0
assert_stderr_has "java.lang.IllegalStateException: thrown by secondaryMain"
assert_file_is "$secondary_log" "call 1 args 3: $(probe_units a) [] $(probe_units b) result 2
call 2 args 1: $(probe_units "é中😀") result 4"
assert_lines_are "$SCENARIO_DIR/stdout.txt" "main started"

rm -f "$secondary_log"
write_probe_settings probe.SecondaryVoid "Single Instance=yes"
export PROBE_SECONDARY_DELAY_MS=3000
start_first_instance
run_second_instance quick 0 "file one.txt"
[ -s "$secondary_log" ] && fail "secondaryMain had returned before the second instance ended"
release_first_instance
expect_exit_without_dialog 0
assert_file_is "$secondary_log" "call 1 args 1: $(probe_units "file one.txt")"

#!/usr/bin/env bash
# Threads beside main on a real JVM: System.exit called on another thread
# after main has returned ends the run with its code. With "Failure Check",
# Ignore lets a thread that main started go on, and the launcher ends only
# after it; Stop ends the run with -1 at once.
source "$(dirname "$0")/../../lib.sh"
source "$(dirname "$0")/../../lib/java_probe.sh"
begin_scenario

install_probe
go="$SCENARIO_DIR/go"
write_probe_settings probe.Probe
start_launcher thread-exit "$(win_path "$go")" 9
wait_for_output_line stdout "main returns"
: >"$go"
expect_exit_without_dialog 9

write_probe_settings probe.Probe "Failure Check=Yes"
rm -f "$go"
start_launcher hold-throw "$(win_path "$go")"
expect_dialog --caption "Java Exception"
press_button 1
# The JVM reports the exception as main's thread detaches; the other thread holds on.
wait_for_output_line stderr "Exception in thread \"main\" java.lang.IllegalStateException: thrown while a thread runs"
launcher_running || fail "the launcher ended while a thread of the application still ran"
: >"$go"
expect_exit 0
assert_lines_are "$SCENARIO_DIR/stdout.txt" "thread ends"

rm -f "$go"
start_launcher hold-throw "$(win_path "$go")"
expect_dialog --caption "Java Exception"
press_button 2
expect_exit 255
assert_stdout_is ""

#!/usr/bin/env bash
# A start made while the first instance is ending is not handed the dying
# instance's answer: once main has returned, the first instance lets the call
# of secondaryMain under way finish before the JVM is destroyed, and a start
# that comes meanwhile runs the application itself, as the new first instance.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/application.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_single_instance_application int
delay_secondary_main 5000
use_trace
start_first_instance

start_second_instance slow ab
expect_handed_off slow
release_first_instance
wait_for_trace_line "forwarding-closing later starts run on their own; requests under way finish"
# Its argument is what the probe's main waits for (linux); the stub's ignores it.
run_second_instance late 0 "$(native_path "$GO_FILE")"
expect_second_exit slow 2
expect_exit_without_dialog 0
# The late start was no second instance: only the slow one handed off.
assert_equals 1 "$(trace_lines handed-off | wc -l)" "hand-offs"
# Only the slow start's call reached secondaryMain; the late one ran main.
assert_secondary_calls <<<"$(secondary_call --result 2 ab)"
if [ "$E2E_PLATFORM" = windows ]; then
  assert_equals 2 "$(log_events JNI_CreateJavaVM | wc -l)" "JVMs created"
  assert_request_threads_detached
else
  assert_file_is "$SCENARIO_DIR/late.out" "main started"
fi

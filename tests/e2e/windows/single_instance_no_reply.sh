#!/usr/bin/env bash
# A second instance that gets no reply ends with the first instance's exit
# code: when the first instance ends while secondaryMain still runs, and when
# the application has no secondaryMain. When the JVM never came to run main,
# the request that waited for main never touches the JVM that failed: it is
# sent away, and the later start tries the application itself.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_stub_application
write_stub_settings "" "Single Instance=yes"

# first_ends_with SECONDARY: the first instance's main ends the application with
# System.exit(7) while a second instance waits for secondaryMain's reply.
first_ends_with() {
  use_stub_log
  export STUB_JVM_SECONDARY=$1 STUB_JVM_SECONDARY_DELAY_MS=60000 STUB_JVM_MAIN_EXIT=7
  start_first_instance
  start_second_instance "waiting-$1" abc
  # Attached: the request is in secondaryMain, which holds its reply back.
  wait_for_first_instance grep -q '^AttachCurrentThread' "$STUB_LOG"
  second_running "waiting-$1" || fail "the second instance ended before the first"
  release_first_instance
  expect_exit_without_dialog 7
  expect_second_exit "waiting-$1" 7
}

first_ends_with int
first_ends_with none
assert_log_has 'GetStaticMethodID class="com/example/Main" name="secondaryMain" signature="([Ljava/lang/String;)I" found=false'
unset STUB_JVM_SECONDARY STUB_JVM_SECONDARY_DELAY_MS STUB_JVM_MAIN_EXIT

use_stub_log
use_trace
export STUB_JVM_CREATE_RESULT=-1
start_launcher
expect_dialog
start_second_instance later abc
expect_handed_off later
press_button 1
expect_exit 255
wait_for_trace_line 'first-instance-ending attempt=1 the first instance is ending and did not serve the arguments; this start takes its place'
expect_dialog
press_button 1
expect_second_exit later 255
assert_equals 2 "$(log_events JNI_CreateJavaVM | wc -l)" "JVMs tried"
assert_log_lacks AttachCurrentThread

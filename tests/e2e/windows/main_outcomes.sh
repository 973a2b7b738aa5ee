#!/usr/bin/env bash
# How main's end becomes the exit code: System.exit(n) gives n; an uncaught
# exception gives 0, or, when "Failure Check" is on (any letter case) and the
# user stops the application in the exception dialog, -1 through System.exit.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application

# run_with FAILURE_CHECK: runs the launcher with that "Failure Check".
run_with() {
  use_stub_log
  write_stub_settings "" "Failure Check=$1"
  start_launcher
}

export STUB_JVM_MAIN_EXIT=7
run_with yes
expect_exit_without_dialog 7
assert_log_order "hook name=exit code=7" "exit code=7"
unset STUB_JVM_MAIN_EXIT

export STUB_JVM_MAIN_THROWS=$'java.lang.IllegalStateException: no data\r\n'
run_with no
expect_exit_without_dialog 0
# The runtime reports it as the thread detaches.
assert_log_order 'DetachCurrentThread exception="java/lang/RuntimeException" result=0' 'DestroyJavaVM result=0'
assert_stderr_is $'Exception in thread "main" java.lang.IllegalStateException: no data\r'
assert_log_lacks 'name="exit"'

for failure_check in yes YES; do
  run_with "$failure_check"
  expect_dialog --caption "Java Exception"
  press_button 2
  expect_exit 255
  assert_log_order 'CallStaticVoidMethod class="java/lang/System" name="exit" signature="(I)V" code=-1' \
    "hook name=exit code=-1" "exit code=-1"
done

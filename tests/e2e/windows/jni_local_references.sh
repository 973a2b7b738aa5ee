#!/usr/bin/env bash
# The JVM thread releases every JNI local reference it made before it detaches,
# whether main returns, throws, or is never reached: the stub counts the
# references still held just before the thread detaches.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
logs=$(win_path "$SCENARIO_DIR/logs")

# run_with APPLICATION_LINES: runs the launcher with them and arguments.
run_with() {
  use_stub_log
  write_stub_settings "" "$1"
  start_launcher first "second argument"
}

assert_none_left() { assert_log_order 'LocalReferences live=0' 'DetachCurrentThread exception=null result=0'; }

# Main returns, with both streams redirected.
run_with "Output File=$logs\\out.log
Error File=$logs\\err.log"
expect_exit_without_dialog 0
assert_none_left

# Main throws, and nobody is asked about it: the exception stays for the runtime.
export STUB_JVM_MAIN_THROWS=$'java.lang.IllegalStateException: thrown\r\n'
run_with ""
expect_exit_without_dialog 0
assert_log_order 'LocalReferences live=0' 'DetachCurrentThread exception="java/lang/RuntimeException" result=0'
unset STUB_JVM_MAIN_THROWS

# The main class has no main method, and the runtime says nothing.
export STUB_JVM_NO_MAIN=quiet
run_with ""
expect_dialog
press_button 1
expect_exit 255
assert_none_left
unset STUB_JVM_NO_MAIN

# The output file cannot be opened: the stream stays, the start goes on.
export STUB_JVM_FAIL_OPEN=out.log
run_with "Output File=$logs\\out.log"
expect_exit_without_dialog 0
assert_none_left

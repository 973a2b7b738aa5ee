#!/usr/bin/env bash
# The main class or its main method is missing: the runtime's exception is
# printed, an error box says what is missing unless an exception said it, and
# the launcher ends with -1 after detaching its thread and destroying the JVM.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
write_stub_settings

detached_and_destroyed() {
  assert_log_order 'DetachCurrentThread exception=null result=0' 'DestroyJavaVM result=0'
}

export STUB_JVM_MISSING_CLASS=com/example/Main
use_stub_log
start_launcher
expect_dialog
assert_control_text 65535 $'Could not find the main class com/example/Main.\n'
assert_stderr_is $'Exception in thread "main" java.lang.NoClassDefFoundError: com/example/Main\r'
press_button 1
expect_exit 255
assert_log_has 'FindClass name="com/example/Main" found=false'
assert_log_lacks 'name="main"'
detached_and_destroyed
unset STUB_JVM_MISSING_CLASS

export STUB_JVM_NO_MAIN=error
use_stub_log
start_launcher
expect_exit_without_dialog 255
assert_stderr_is $'Exception in thread "main" java.lang.NoSuchMethodError: main\r'
assert_log_has 'ExceptionDescribe class="java/lang/NoSuchMethodError"'
assert_log_lacks CallStaticVoidMethod
detached_and_destroyed

export STUB_JVM_NO_MAIN=quiet
use_stub_log
start_launcher
expect_dialog
assert_control_text 65535 $'No main method found in specified class.\n'
press_button 1
expect_exit 255
assert_stderr_is ""
assert_log_lacks CallStaticVoidMethod
detached_and_destroyed

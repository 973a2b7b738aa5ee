#!/usr/bin/env bash
# The stack of the thread that runs main: the runtime is asked for its default
# (JNI 1.1 record) before the JVM is created, unless an -Xss option gives it.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application

# run_with PARAMETERS: runs the launcher with these "Virtual Machine Parameters".
run_with() {
  use_stub_log
  write_stub_settings "Virtual Machine Parameters=$1"
  start_launcher
  expect_exit_without_dialog 0
}

export STUB_JVM_STACK_SIZE=1048576
run_with "-Dx=1"
# Asked once, before the JVM is created.
assert_log_events JNI_GetDefaultJavaVMInitArgs <<'LOG'
JNI_GetDefaultJavaVMInitArgs version=0x00010001 javaStackSize=1048576 result=-1
LOG
assert_equals JNI_GetDefaultJavaVMInitArgs "$(head -n1 "$STUB_LOG" | cut -d' ' -f1)" "first event in the stub's log"

run_with "-Dx=1 -Xss512k"
assert_log_lacks JNI_GetDefaultJavaVMInitArgs
assert_log_has 'option index=2 text="-Xss512k" extraInfo=null'
assert_log_has 'CallStaticVoidMethod class="com/example/Main" name="main" signature="([Ljava/lang/String;)V" args=0'

#!/usr/bin/env bash
# JNI_CreateJavaVM fails: an error box names the reason for each result code,
# main is never looked for, and the launcher ends with -1.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
write_stub_settings

while IFS='|' read -r result reason; do
  export STUB_JVM_CREATE_RESULT=$result
  use_stub_log
  start_launcher
  expect_dialog
  assert_caption "Error"
  assert_control_text 65535 $'JNI exception: failed to create the Java VM\nReason: '"$reason"$'.\n'
  press_button 1
  expect_exit 255
  created=$(log_field JNI_CreateJavaVM result) || exit 1
  assert_equals "$result" "$created" "result of JNI_CreateJavaVM"
  assert_log_lacks com/example/Main
  assert_log_lacks DestroyJavaVM
done <<'CASES'
-1|unknown
-2|thread detached from VM
-3|JNI version error
-4|not enough memory
-5|VM already created
-6|invalid arguments
-7|
1|
CASES

#!/usr/bin/env bash
# Registered runtimes: the newest within "Minimum Version" and "Maximum
# Version" is used, unless "Preferred versions" names another. Without
# "Maximum Version" none qualifies, and the launcher asks for a runtime.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
: >"$SCENARIO_DIR/app.jar"
install_runtime jre8
install_runtime jre11
register_runtime 1.8 jre8
register_runtime 11 jre11

# run_with SETTING...: runs the launcher with these [Java Runtime Environment] lines.
run_with() {
  use_stub_log
  {
    echo "[Java Runtime Environment]"
    printf '%s\n' "$@"
    printf '[Class Path]\nClass Path=app.jar\n[Application]\nMain Class=com.example.Main\n'
  } | write_settings
  start_launcher
}

run_with
decline_runtime_question
assert_log_lacks JNI_CreateJavaVM

run_with "Maximum Version=any"
expect_exit_without_dialog 0
assert_jvm_created_from jre11

run_with "Maximum Version=1.8"
expect_exit_without_dialog 0
assert_jvm_created_from jre8

run_with "Minimum Version=1.8" "Maximum Version=any" "Preferred versions=1.7;1.8;11"
expect_exit_without_dialog 0
assert_jvm_created_from jre8

run_with "Minimum Version=12" "Maximum Version=any"
decline_runtime_question
assert_log_lacks JNI_CreateJavaVM

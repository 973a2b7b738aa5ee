#!/usr/bin/env bash
# A runtime registered only in the 32-bit view is not used, and with no other
# the launcher asks for one; for a pair product it is found.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
: >"$SCENARIO_DIR/app.jar"
install_runtime jre32
register_runtime --32 1.8 jre32

# run_with SETTING...: runs the launcher with these [Application] lines.
run_with() {
  use_stub_log
  {
    printf '[Java Runtime Environment]\nMaximum Version=any\n[Class Path]\nClass Path=app.jar\n'
    printf '[Application]\nMain Class=com.example.Main\n'
    printf '%s\n' "$@"
  } | write_settings
  start_launcher
}

run_with
decline_runtime_question
assert_log_lacks JNI_CreateJavaVM

# The pair product would be started for a 32-bit runtime; that is not built
# yet, so the launcher goes on with what it found.
run_with "Pair Product=launcher32"
expect_exit_without_dialog 0
assert_jvm_created_from jre32

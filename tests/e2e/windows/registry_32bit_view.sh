#!/usr/bin/env bash
# A runtime registered only in the 32-bit view is not used, and with no other
# the launcher asks for one; for a pair product it is found and handed over to
# it (here one that does not exist: the launcher says so).
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

run_with "Pair Product=launcher32"
expect_dialog
# A relative pair product is named from the current folder, where it was looked for.
assert_control_text 65535 "Failed to start the pair product $(win_path "$SCENARIO_DIR/launcher32") (errno = 2)."$'\n'
press_button 1
expect_exit 255
assert_log_lacks JNI_CreateJavaVM

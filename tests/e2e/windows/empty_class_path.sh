#!/usr/bin/env bash
# A class path that comes out empty, whether unset or naming only files that
# are not beside the launcher, is an error before any JVM is created.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher app/launcher.exe
install_runtime jre
# In the current folder, not the launcher's.
: >"$SCENARIO_DIR/app.jar"

for class_path in "" "app.jar;lib\\*.jar"; do
  write_settings <<INI
[Java Runtime Environment]
JRE Path=$(win_path "$SCENARIO_DIR/jre")
[Class Path]
Class Path=$class_path
[Application]
Main Class=com.example.Main
INI
  use_stub_log
  start_launcher
  expect_dialog
  assert_caption "Error"
  assert_control_text 65535 "Java Class Path was not specified in INI file."
  press_button 1
  expect_exit 255
  assert_log_lacks JNI_CreateJavaVM
done

#!/usr/bin/env bash
# A settings file without "Main Class": an error box says so, and its only
# button, OK, ends the launcher with -1.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
write_settings <<'INI'
[Application]
Class Path=app.jar
INI

start_launcher
expect_dialog
assert_caption "Error"
assert_control_text 65535 "Main class was not specified in INI file."
assert_buttons 1
assert_control_text 1 "OK"
press_button 1
expect_exit 255

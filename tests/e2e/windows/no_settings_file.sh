#!/usr/bin/env bash
# No settings file beside the launcher: the same error as an empty "Main Class".
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
start_launcher
expect_dialog
assert_control_text 65535 "Main class was not specified in INI file."
assert_buttons 1
press_button 1
expect_exit 255

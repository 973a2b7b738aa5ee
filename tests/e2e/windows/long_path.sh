#!/usr/bin/env bash
# An executable whose full path is longer than MAX_PATH (260) still finds the
# settings file beside it.
source "$(dirname "$0")/../lib.sh"
begin_scenario

folder=a_folder_with_a_long_name_to_push_the_path_beyond_max_path
install_launcher "$folder/$folder/$folder/$folder/$folder/launcher.exe"
[ ${#LAUNCHER_WIN} -gt 260 ] || fail "the path is only ${#LAUNCHER_WIN} characters long"

# First without settings: the error box proves that Wine runs the launcher there.
start_launcher
expect_dialog
assert_control_text 65535 "Main class was not specified in INI file."
press_button 1
expect_exit 255

write_settings <<'INI'
[Application]
Main Class=com.example.Main
INI
start_launcher
decline_runtime_question

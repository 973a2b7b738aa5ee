#!/usr/bin/env bash
# A dot in a folder name is no extension: "launcher" in "my.app" reads
# my.app/launcher.ini, not "my.ini" beside the folder.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher my.app/launcher
write_settings <<'INI'
[Application]
Main Class=com.example.Main
INI

start_launcher
expect_exit 255
assert_stderr_lacks "Main class was not specified in INI file."

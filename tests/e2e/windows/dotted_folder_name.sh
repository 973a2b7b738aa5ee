#!/usr/bin/env bash
# A dot in a folder name is no extension: launcher.exe in "my.app 1.0" reads
# launcher.ini beside it, not "my.ini" or "my.app 1.ini".
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher "my.app 1.0/launcher.exe"
write_settings <<'INI'
[Application]
Main Class=com.example.Main
INI

start_launcher
decline_runtime_question

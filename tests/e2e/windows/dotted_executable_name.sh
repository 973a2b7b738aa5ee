#!/usr/bin/env bash
# tool.beta.exe reads tool.beta.ini: only the last dot starts the extension.
# The tool.ini beside it lacks "Main Class" and would bring up the error box.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher tool.beta.exe
write_settings <<'INI'
[Application]
Main Class=com.example.Main
INI
write_settings tool.ini <<'INI'
[Application]
Class Path=app.jar
INI

start_launcher
decline_runtime_question

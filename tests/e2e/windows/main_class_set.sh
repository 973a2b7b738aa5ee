#!/usr/bin/env bash
# Settings that pass: no runtime is found, so the launcher asks for one, and
# it shows no error on the way; declined, it ends with -1.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
write_settings <<'INI'
[Application]
Main Class=com.example.Main
INI

start_launcher
decline_runtime_question

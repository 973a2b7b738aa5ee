#!/usr/bin/env bash
# Settings that pass: no runtime can be chosen yet, so the launcher ends with
# -1, and it shows no error on the way.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
write_settings <<'INI'
[Application]
Main Class=com.example.Main
INI

start_launcher
expect_exit_without_dialog 255

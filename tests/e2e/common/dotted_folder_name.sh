#!/usr/bin/env bash
# A dot in a folder name is no extension: the launcher in "my.app 1.0" reads
# the settings file of its own name beside it, not "my.ini" or "my.app 1.ini".
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher "my.app 1.0/$(launcher_file launcher)"
write_settings <<'INI'
[Application]
Main Class=com.example.Main
INI

start_launcher
expect_no_runtime_found

#!/usr/bin/env bash
# Settings that pass: with "Main Class" in its settings file the launcher does
# not complain of a missing one. With no version bounds no installed runtime
# qualifies, and that is the first thing it reports.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher
write_settings <<'INI'
[Application]
Main Class=com.example.Main
INI

start_launcher
expect_no_runtime_found

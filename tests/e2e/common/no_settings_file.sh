#!/usr/bin/env bash
# No settings file beside the launcher: the same error as an empty "Main Class".
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher
start_launcher
expect_start_failure "Main class was not specified in INI file."

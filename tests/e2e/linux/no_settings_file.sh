#!/usr/bin/env bash
# No settings file: the error goes to standard error, and the exit code is -1.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher
start_launcher
expect_exit 255
assert_stderr_is "Main class was not specified in INI file."
assert_stdout_is ""

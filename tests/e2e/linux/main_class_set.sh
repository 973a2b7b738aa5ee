#!/usr/bin/env bash
# The extensionless launcher reads launcher.ini beside it: with "Main Class"
# there it does not complain of a missing one. With no version bounds no
# installed runtime qualifies, so it ends with -1.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher
write_settings <<'INI'
[Application]
Main Class=com.example.Main
INI

start_launcher
expect_exit 255
assert_stderr_lacks "Main class was not specified in INI file."

#!/usr/bin/env bash
# System.exit(n) in the application ends the launcher with n.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../probe_lib.sh"
begin_scenario

install_launcher launcher
install_probe
write_settings <<INI
[Application]
Main Class=probe.Probe
[Class Path]
Class Path=probe.jar
[Java Runtime Environment]
JRE Path=$JDK_HOME
INI

start_launcher exit 3
expect_exit 3

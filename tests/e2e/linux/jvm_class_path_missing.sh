#!/usr/bin/env bash
# A class path that names nothing that exists: the launcher says so and ends
# with -1 before it creates a JVM.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_launcher launcher
write_settings <<INI
[Application]
Main Class=probe.Probe
[Class Path]
Class Path=missing/*.jar
[Java Runtime Environment]
JRE Path=$JDK_HOME
INI

start_launcher
expect_exit 255
assert_stderr_is "Java Class Path was not specified in INI file."

#!/usr/bin/env bash
# An exception thrown by main: with "Failure Check" off the run still ends
# with 0 (the runtime reports it); with it on, its trace is shown and the
# application is stopped with -1.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe

write_probe_settings probe.Probe "Failure Check=no"
start_launcher throw
expect_exit 0
assert_stderr_has 'Exception in thread "main" java.lang.IllegalStateException: thrown by main'

write_probe_settings probe.Probe "Failure Check=YES"
start_launcher throw
expect_exit 255
assert_stderr_has "java.lang.IllegalStateException: thrown by main"
assert_stderr_has "at probe.Probe.main(Probe.java"

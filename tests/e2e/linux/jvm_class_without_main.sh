#!/usr/bin/env bash
# A main class without main: the runtime reports the missing method as an
# exception, so the launcher adds no message of its own and ends with -1.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
write_probe_settings probe/NoMain

start_launcher
expect_exit 255 10
assert_stderr_has "java.lang.NoSuchMethodError"
assert_stderr_lacks "No main method found in specified class."

#!/usr/bin/env bash
# A main class that does not exist: the runtime's error, then the launcher's
# message, and the launcher ends with -1 instead of waiting for ever in
# DestroyJavaVM for its own thread.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
write_probe_settings probe.Absent

start_launcher
expect_exit 255 10
assert_stderr_has "java.lang.NoClassDefFoundError: probe/Absent"
assert_equals "Could not find the main class probe/Absent." "$(tail -n1 "$SCENARIO_DIR/stderr.txt")" \
  "the launcher's message, after the runtime's"

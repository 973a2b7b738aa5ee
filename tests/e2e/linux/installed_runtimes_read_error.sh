#!/usr/bin/env bash
# A read error while /usr/lib/jvm is listed ends the listing, not the launcher:
# the runtimes listed before it are still chosen from.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario
require_variables E2E_READDIR_FAULT

install_probe
write_installed_probe_settings
export READDIR_FAULT_FOLDER=/usr/lib/jvm LD_PRELOAD=$E2E_READDIR_FAULT
start_launcher environment
unset LD_PRELOAD
expect_exit 0
assert_stdout_has "QX_JVM_HOME=$JDK_HOME"
assert_stderr_lacks "terminate"

#!/usr/bin/env bash
# "Override WorkingDir=Yes": a launcher started from another folder finds its
# relative "JRE Path" and class path and writes its relative "Output File"
# beside itself; without it, the relative "JRE Path" is looked for in the
# folder the start came from.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_launcher app/launcher
cp "$(dirname "$E2E_LAUNCHER")/tests/fixtures/java/probe.jar" "$SCENARIO_DIR/app/" || fail "cannot copy probe.jar"
ln -s "$JDK_HOME" "$SCENARIO_DIR/app/jre"

settings_with() {
  write_settings <<INI
[Application]
Main Class=probe.Probe
Output File=out.log
Override WorkingDir=$1
[Class Path]
Class Path=probe.jar
[Java Runtime Environment]
JRE Path=jre
INI
}

settings_with Yes
start_launcher print to-output to-error
expect_exit 0
assert_file_is "$SCENARIO_DIR/app/out.log" "to-output"
[ -e "$SCENARIO_DIR/out.log" ] && fail "out.log went to the folder the launcher was started from"

settings_with No
start_launcher print to-output to-error
expect_exit 255
assert_stderr_has "The Java Runtime Environment (JRE) was not found."

#!/usr/bin/env bash
# The class path names the entries of the settings and nothing else: a file in
# the folder the launcher is started from is not found by the application's
# class loader, while one inside a class-path folder is.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
mkdir -p "$SCENARIO_DIR/resources" "$SCENARIO_DIR/elsewhere"
echo here >"$SCENARIO_DIR/resources/listed.txt"
echo here >"$SCENARIO_DIR/elsewhere/stray.txt"
write_settings <<INI
[Application]
Main Class=probe.ResourceLookup
[Class Path]
Class Path=probe.jar;resources
[Java Runtime Environment]
JRE Path=$JDK_HOME
INI

# Started from "elsewhere": stray.txt lies in the current folder.
(cd "$SCENARIO_DIR/elsewhere" && "$LAUNCHER" listed.txt stray.txt) >"$SCENARIO_DIR/stdout.txt" 2>"$SCENARIO_DIR/stderr.txt"
assert_equals 0 "$?" "exit code of the launcher"
assert_stdout_is $'listed.txt found\nstray.txt missing'
assert_stderr_is ""

#!/usr/bin/env bash
# QX_LAUNCHER_TRACE: the trace names the executable and its settings files,
# and says for every value read which layer it came from: the settings file
# or its "+" section. (The per-user file has its scenario on Linux, whose
# configuration folder a scenario can choose; the built-in layer is covered by
# the unit tests: a scenario cannot give launcher.exe a resource.)
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
write_settings <<INI
[Product Information]
Product Name=Trace Test
Product Code=T1
[Java Runtime Environment]
Maximum Version=any
JRE Path=$(win_path "$SCENARIO_DIR/jre")
[Java Runtime Environment+]
Virtual Machine Parameters=-Dfrom=plus
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
INI

use_trace
start_launcher
expect_exit_without_dialog 0
assert_trace_has "executable path=$(quote "$LAUNCHER_WIN")"
assert_trace_has "settings-file path=$(quote "$(win_path "$SCENARIO_DIR/launcher.ini")") found=yes"
assert_trace_has "built-in-settings found=no"
assert_trace_has 'setting section="Product Information" key="Product Name" value="Trace Test" layer=settings-file'
assert_trace_has 'setting section="Java Runtime Environment" key="Maximum Version" value="any" layer=settings-file'
assert_trace_has 'setting section="Java Runtime Environment" key="Virtual Machine Parameters" value=" -Dfrom=plus" layer=plus-section'
assert_trace_has 'setting section="Application" key="Main Class" value="com.example.Main" layer=settings-file'
assert_trace_has 'version-bounds minimum=0.0.0.0 maximum=65535.65535.65535.65535 maximum-given=yes'
assert_trace_has "candidate source=\"JRE Path\" home=$(quote "$(win_path "$SCENARIO_DIR/jre")\\") verdict=accepted"
# Empty values are not listed; the per-user file is looked for.
assert_trace_lacks 'key="Minimum Version"'
[[ $(trace_lines per-user-file) == *' found=no' ]] || fail "no per-user-file line"

# A settings file the executable's name gives, missing.
rm "$SCENARIO_DIR/launcher.ini"
use_trace
start_launcher
expect_dialog
press_button 1
expect_exit 255
assert_trace_has "settings-file path=$(quote "$(win_path "$SCENARIO_DIR/launcher.ini")") found=no"
assert_trace_has 'exit code=-1 reason="Main class was not specified in INI file."'

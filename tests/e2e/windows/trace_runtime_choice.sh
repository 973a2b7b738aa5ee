#!/usr/bin/env bash
# QX_LAUNCHER_TRACE: every runtime candidate with its source and why it was
# taken or refused (outside the bounds, the bound's value and whether it was
# absent; not preferred; no JVM library; wrong machine; stale registry key),
# the choice, and the JVM library chosen. Without "Maximum Version" nothing
# registered can qualify, and the trace says so in words.
source "$(dirname "$0")/../lib.sh"
begin_scenario
require_variables E2E_JVM_I686

install_launcher launcher.exe
: >"$SCENARIO_DIR/app.jar"
install_runtime jre8
install_runtime jre11
register_runtime 1.8 jre8
register_runtime 11 jre11
register_runtime 12 uninstalled
mkdir -p "$SCENARIO_DIR/empty"
register_runtime 13 empty

# run_with SETTING...: runs the launcher, traced, with these [Java Runtime Environment] lines.
run_with() {
  use_stub_log
  use_trace
  {
    echo "[Java Runtime Environment]"
    printf '%s\n' "$@"
    printf '[Class Path]\nClass Path=app.jar\n[Application]\nMain Class=com.example.Main\n'
  } | write_settings
  start_launcher
}

jre_key='HKLM\\Software\\JavaSoft\\Java Runtime Environment\\'

run_with
decline_runtime_question
assert_trace_has 'version-bounds minimum=0.0.0.0 maximum=0.0.0.0 maximum-given=no'
assert_trace_has "candidate source=\"${jre_key}1.8\" verdict=refused reason=\"above \\\"Maximum Version\\\", which is absent, so the upper bound is 0.0.0.0\""
assert_trace_has 'search stage="registry" candidates=0'
assert_trace_has 'note "Maximum Version" is absent (or holds no version), so the upper bound is 0.0.0.0 and no installed runtime can qualify; set "Maximum Version=any", or the newest version the application supports, in [Java Runtime Environment].'
assert_trace_lacks 'jvm-library'

run_with "Maximum Version=any"
expect_exit_without_dialog 0
assert_jvm_created_from jre11
assert_trace_has "candidate source=\"${jre_key}12\" verdict=refused reason=\"stale registry key: its \\\"JavaHome\\\" folder is gone\""
assert_trace_has "candidate source=\"${jre_key}13\" verdict=refused reason=\"no JVM library for \\\"JVM Type\\\" default\""
assert_trace_has "candidate source=\"${jre_key}11\" verdict=accepted version=11.0.0.0 kind=JRE vendor=Sun home=$(quote "$(win_path "$SCENARIO_DIR/jre11")\\") server=yes preferred=yes"
assert_trace_has "choice source=\"${jre_key}11\" version=11.0.0.0 reason=\"the best-ranked of 2 candidates\""
assert_trace_has "passed-over source=\"${jre_key}1.8\" version=1.8.0.0 reason=\"an older version\""
assert_trace_has "jvm-library path=$(quote "$(win_path "$SCENARIO_DIR/jre11/bin/server/jvm.dll")") origin=\"registry\" version=11.0.0.0 server=yes needs-companion=no"
assert_trace_lacks 'note '

run_with "Minimum Version=9" "Maximum Version=11"
expect_exit_without_dialog 0
assert_trace_has "candidate source=\"${jre_key}1.8\" verdict=refused reason=\"below \\\"Minimum Version\\\" 9.0.0.0\""
assert_trace_has "candidate source=\"${jre_key}12\" verdict=refused reason=\"above \\\"Maximum Version\\\" 11.65535.65535.65535\""

run_with "Maximum Version=any" "Preferred versions=1.8"
expect_exit_without_dialog 0
assert_jvm_created_from jre8
assert_trace_has "choice source=\"${jre_key}1.8\" version=1.8.0.0 reason=\"the best-ranked match of \\\"Preferred versions\\\" entry \\\"1.8\\\"\""

install_runtime jdk17
install_runtime jdk17/jre
register_runtime --jdk 1.7 jdk17
run_with "Maximum Version=any" "JVM Source=favor_JDK"
expect_exit_without_dialog 0
assert_jvm_created_from jdk17/jre
assert_trace_has "passed-over source=\"${jre_key}11\" version=11.0.0.0 reason=\"not preferred: \\\"JVM Source\\\" and \\\"VM Provider\\\" favour the chosen one's kind and vendor\""

# Today's keys, when the vendor keys give nothing within the bounds: a
# 32-bit library is the wrong machine.
install_runtime --library "$E2E_JVM_I686" x86
register_current_runtime 'Eclipse Adoptium\JDK\21.0.1.12\hotspot\MSI' Path x86
run_with "Minimum Version=14" "Maximum Version=any"
decline_runtime_question
assert_trace_has 'candidate source="HKLM\\Software\\Eclipse Adoptium\\JDK\\21.0.1.12\\hotspot\\MSI" verdict=refused reason="wrong machine: its JVM library is a 32-bit one"'
assert_trace_has "search stage=\"current installers' registry keys\" candidates=0"

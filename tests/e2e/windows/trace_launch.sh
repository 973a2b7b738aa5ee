#!/usr/bin/env bash
# QX_LAUNCHER_TRACE: the phases of the start with their times, the rule of the
# DLL search, the environment the launcher sets, the main class and its
# arguments and every JVM option exactly as passed, and the exit code with
# its reason: main returned, System.exit, or the failure the user was told of.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
write_stub_settings 'Virtual Machine Parameters=-Xss2m "-Dgreeting=Hello, world" -Dpath=%QX_JVM_HOME%' 'Cmd=--from-cmd'
jre=$(win_path "$SCENARIO_DIR/jre")

use_trace
use_stub_log
start_launcher "first argument" second
expect_exit_without_dialog 0
assert_trace_order 'phase name="start"' 'phase name="settings"' 'phase name="runtime"' 'phase name="environment"' \
  'phase name="load-jvm-library"' 'phase name="plan"' 'splash shown-by=none' 'phase name="jvm"' 'phase name="destroy-jvm"' \
  'exit code=0 reason="main returned and the JVM was destroyed"'
assert_trace_has 'library-search rule=no-current-directory current-directory-excluded=yes'
assert_trace_has "environment name=\"QX_JVM_PATH\" value=$(quote "$jre\\bin\\server\\jvm.dll")"
assert_trace_has "environment name=\"QX_JVM_HOME\" value=$(quote "$jre")"
[ "$(trace_lines environment | grep -ci 'name="PATH"')" = 1 ] || fail "one PATH line expected"
assert_trace_events main-argument <<'LINES'
main-argument index=0 text="first argument"
main-argument index=1 text="second"
main-argument index=2 text="--from-cmd"
LINES
assert_trace_events jvm-option <<LINES
jvm-option index=0 text=$(quote "-Djava.class.path=$(win_path "$SCENARIO_DIR/app.jar")") extraInfo=none
jvm-option index=1 text="-Xss2m" extraInfo=none
jvm-option index=2 text="-Dgreeting=Hello, world" extraInfo=none
jvm-option index=3 text=$(quote "-Dpath=$jre") extraInfo=none
jvm-option index=4 text="abort" extraInfo=hook
jvm-option index=5 text="exit" extraInfo=hook
LINES
assert_trace_has 'jvm-created result=0'
# What the trace says the JVM got is what the JVM got.
[ "$(log_events option | wc -l)" = 6 ] || fail "the stub saw other options than the trace lists"
assert_log_has "option index=3 text=$(quote "-Dpath=$jre") extraInfo=null"
# Each line carries this process's id and its microseconds since the start.
[ "$(cut -d' ' -f1 "$TRACE_FILE" | sort -u | wc -l)" = 1 ] || fail "lines of several processes"
grep -qvE '^[0-9]+ \+[0-9]+us ' "$TRACE_FILE" && fail "a line without its stamp"

use_trace
export STUB_JVM_MAIN_EXIT=3
start_launcher
expect_exit_without_dialog 3
assert_trace_has 'exit code=3 reason="the application called System.exit"'
unset STUB_JVM_MAIN_EXIT

use_trace
export STUB_JVM_CREATE_RESULT=-1
start_launcher
expect_dialog
press_button 1
expect_exit 255
assert_trace_has 'jvm-created result=-1'
assert_trace_has "exit code=-1 reason=$(quote $'JNI exception: failed to create the Java VM\nReason: unknown.\n')"

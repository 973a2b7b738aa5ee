#!/usr/bin/env bash
# The launcher's own splash window (the runtime has no splash library) stays
# while main runs and goes when main returns, though a non-daemon thread keeps
# the JVM, and so the launcher, alive. The trace of the run tells the runtime,
# the arguments and options the JVM got, and why the run ended.
source "$(dirname "$0")/../../lib.sh"
source "$(dirname "$0")/../../lib/java_probe.sh"
source "$(dirname "$0")/../../lib/splash.sh"
begin_scenario

install_probe
copy_picture quadrants.bmp
jre=$(probe_runtime)
write_probe_settings probe.Probe "Cmd=--from-cmd" 'Virtual Machine Parameters=-Xss1m "-Dprobe.value=a b"
[Display]
Splash Screen=quadrants.bmp'
main_go=$(win_path "$SCENARIO_DIR/main-go")
thread_go=$(win_path "$SCENARIO_DIR/thread-go")

use_trace
start_launcher hold "$main_go" "$thread_go"
wait_for_output_line stdout "main started"
expect_splash_window
assert_splash visible=1
: >"$SCENARIO_DIR/main-go"
wait_for_output_line stdout "main returns"
wait_for_splash_gone
launcher_running || fail "the launcher ended before the thread that outlives main"
: >"$SCENARIO_DIR/thread-go"
expect_exit_without_dialog 0

assert_trace_order 'phase name="runtime"' 'phase name="load-jvm-library"' 'phase name="jvm"' \
  'jvm-created result=0' 'phase name="destroy-jvm"' 'exit code=0 reason="main returned and the JVM was destroyed"'
assert_trace_has "environment name=\"QX_JVM_PATH\" value=$(quote "$jre\\bin\\server\\jvm.dll")"
assert_trace_events main-argument <<LINES
main-argument index=0 text="hold"
main-argument index=1 text=$(quote "$main_go")
main-argument index=2 text=$(quote "$thread_go")
main-argument index=3 text="--from-cmd"
LINES
assert_trace_has "jvm-option index=0 text=$(quote "-Djava.class.path=$(win_path "$SCENARIO_DIR/probe.jar")") extraInfo=none"
assert_trace_has 'jvm-option index=2 text="-Dprobe.value=a b" extraInfo=none'

use_trace
start_launcher exit 3
expect_exit_without_dialog 3
assert_trace_has 'exit code=3 reason="the application called System.exit"'

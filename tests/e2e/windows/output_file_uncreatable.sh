#!/usr/bin/env bash
# An "Output File" or "Error File" that cannot be created, because its folder
# is a file or lies where nothing can be made (Z:\proc): the runtime's
# exception is printed, neither stream is redirected, and main still runs.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
: >"$SCENARIO_DIR/a_file"

# run_with FILE: runs the launcher with FILE as both output and error file.
run_with() {
  use_stub_log
  write_stub_settings "" "Output File=$1
Error File=$1"
  start_launcher
  expect_exit_without_dialog 0
  local failed
  failed=$(grep -cxF "NewObject class=\"java/io/FileOutputStream\" name=\"<init>\" signature=\"(Ljava/lang/String;Z)V\" file=$(quote "$1") append=false opened=false" "$STUB_LOG")
  assert_equals 2 "$failed" "file streams that could not open"
  assert_log_lacks 'opened=true'
  assert_log_lacks '"setOut"'
  assert_log_lacks '"setErr"'
  assert_log_has 'CallStaticVoidMethod class="com/example/Main" name="main" signature="([Ljava/lang/String;)V" args=0'
  assert_stderr_has "java.io.FileNotFoundException: $1"
}

run_with "$(win_path "$SCENARIO_DIR/a_file")\\out.log"
run_with 'Z:\proc\no-such-folder\out.log'

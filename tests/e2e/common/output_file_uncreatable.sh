#!/usr/bin/env bash
# An "Output File" or "Error File" that cannot be created, because its folder
# is a file, lies where nobody makes files (/proc) or cannot be written (a
# folder without write permission, on Linux): the runtime says why on the
# error stream, neither stream is redirected, and the application runs to its
# end.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/application.sh"
begin_scenario

install_application
: >"$SCENARIO_DIR/a_file"

# run_with FILE: runs "print" with FILE (as the launcher names it) as both
# output and error file.
run_with() {
  write_application_settings "Output File=$1
Error File=$1"
  if [ "$E2E_PLATFORM" = windows ]; then use_stub_log; fi
  start_launcher print to-out to-err
  expect_exit_without_dialog 0 20
  assert_stderr_has "java.io.FileNotFoundException: $1"
  if [ "$E2E_PLATFORM" = windows ]; then
    local failed
    failed=$(grep -cxF "NewObject class=\"java/io/FileOutputStream\" name=\"<init>\" signature=\"(Ljava/lang/String;Z)V\" file=$(quote "$1") append=false opened=false" "$STUB_LOG")
    assert_equals 2 "$failed" "file streams that could not open"
    assert_log_lacks 'opened=true'
    assert_log_lacks '"setOut"'
    assert_log_lacks '"setErr"'
    assert_log_has 'CallStaticVoidMethod class="com/example/Main" name="main" signature="([Ljava/lang/String;)V" args=3'
  else
    assert_stdout_is "to-out"
    assert_stderr_has "to-err"
  fi
}

run_with "$(native_path "$SCENARIO_DIR/a_file/out.log")"
run_with "$(native_path /proc/no-such-folder/out.log)"

if [ "$E2E_PLATFORM" = linux ]; then
  if [ "$(id -u)" -eq 0 ]; then
    log "skipped the folder without write permission: the superuser writes everywhere"
  else
    mkdir "$SCENARIO_DIR/read_only"
    chmod 555 "$SCENARIO_DIR/read_only"
    run_with "$SCENARIO_DIR/read_only/logs/out.log"
    chmod 755 "$SCENARIO_DIR/read_only"
  fi
fi

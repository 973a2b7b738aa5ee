#!/usr/bin/env bash
# An "Output File" or "Error File" that cannot be created, because its folder
# is a file or cannot be written (a folder without write permission, or in
# /proc, where nobody makes files): the runtime says why on the error stream,
# the stream stays where it was, and the application runs to its end.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
: >"$SCENARIO_DIR/a_file"

# run_with FILE: runs "print" with FILE as both output and error file.
run_with() {
  write_probe_settings probe.Probe "Output File=$1
Error File=$1"
  start_launcher print to-out to-err
  expect_exit 0 20
  assert_stdout_is "to-out"
  assert_stderr_has "java.io.FileNotFoundException: $1"
  assert_stderr_has "to-err"
}

run_with "$SCENARIO_DIR/a_file/out.log"
run_with "/proc/no-such-folder/out.log"

if [ "$(id -u)" -eq 0 ]; then
  log "skipped the folder without write permission: the superuser writes everywhere"
else
  mkdir "$SCENARIO_DIR/read_only"
  chmod 555 "$SCENARIO_DIR/read_only"
  run_with "$SCENARIO_DIR/read_only/logs/out.log"
  chmod 755 "$SCENARIO_DIR/read_only"
fi

#!/usr/bin/env bash
# "Output File" and "Error File" take System.out and System.err: a date between
# % signs is filled in, missing folders are made, and "yes" to "Output Append"
# or "Error Append" appends where the file would otherwise be emptied.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
logs=$(win_path "$SCENARIO_DIR/logs")

# run_with ERROR_APPEND: runs the launcher with that "Error Append".
run_with() {
  use_stub_log
  write_stub_settings "" "Output File=$logs\\out\\out_%yyyy-MM-dd%.log
Output Append=yes
Error File=$logs\\%yyyy%\\err.log
Error Append=$1"
  day_before=$(date +%F)
  start_launcher
  expect_exit_without_dialog 0
  day_after=$(date +%F)
}

# assert_streams OUTPUT_APPEND ERROR_APPEND: the log shows both files opened
# with the date of the run (set as day) filled in, and handed to System.setOut
# and System.setErr before main runs.
assert_streams() {
  for day in "$day_before" "$day_after"; do
    out="$logs\\out\\out_$day.log" err="$logs\\${day:0:4}\\err.log"
    grep -qF "file=$(quote "$out")" "$STUB_LOG" && break
  done
  assert_log_order \
    "NewObject class=\"java/io/FileOutputStream\" name=\"<init>\" signature=\"(Ljava/lang/String;Z)V\" file=$(quote "$out") append=$1 opened=true" \
    "CallStaticVoidMethod class=\"java/lang/System\" name=\"setOut\" signature=\"(Ljava/io/PrintStream;)V\" file=$(quote "$out")" \
    "NewObject class=\"java/io/FileOutputStream\" name=\"<init>\" signature=\"(Ljava/lang/String;Z)V\" file=$(quote "$err") append=$2 opened=true" \
    "CallStaticVoidMethod class=\"java/lang/System\" name=\"setErr\" signature=\"(Ljava/io/PrintStream;)V\" file=$(quote "$err")" \
    'CallStaticVoidMethod class="com/example/Main" name="main" signature="([Ljava/lang/String;)V" args=0'
}

# main throws: the runtime prints the exception to System.err, the error file.
export STUB_JVM_MAIN_THROWS=$'java.lang.RuntimeException: lost\r\n'
trace=$'Exception in thread "main" java.lang.RuntimeException: lost\r'
run_with no
assert_streams true false
[ -f "$SCENARIO_DIR/logs/out/out_$day.log" ] || fail "no output file in logs/out"
error_file="$SCENARIO_DIR/logs/${day:0:4}/err.log"
assert_file_is "$error_file" "$trace"
assert_stderr_is ""

run_with no
assert_file_is "$error_file" "$trace"

run_with yes
assert_streams true true
assert_file_is "$error_file" "$trace"$'\n'"$trace"

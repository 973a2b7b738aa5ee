#!/usr/bin/env bash
# "Restart Exit Codes": an application that ends with a listed code runs again
# in a new process, with the same arguments and working folder each time,
# until it ends otherwise; the launcher the user started ends with 0 at once.
# A loop that never settles is cut after 5 restarts (6 runs) and its code
# stands: on Windows the console launcher waits for each new process, so the
# shell gets the last one's code.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
write_probe_settings probe.Probe "Restart Exit Codes=7; 23"
use_trace
runs="$SCENARIO_DIR/runs.txt"

# The runs recorded so far.
run_count() { if [ -f "$runs" ]; then wc -l <"$runs"; else echo 0; fi; }
runs_reach() { [ "$(run_count)" -ge "$1" ]; }
ended_with() { trace_holds "exit code=$1 reason=\"$2\""; }

start_launcher exit-runs "$(native_path "$runs")" 2 23 "two words"
expect_exit 0
wait_until "the third run's end" ended_with 0 "main returned and the JVM was destroyed"
assert_equals 3 "$(run_count)" "runs"
assert_equals 1 "$(sort -u "$runs" | wc -l)" "different runs (arguments, folder)"
assert_equals "restart code=23 restarts=1
restart code=23 restarts=2" "$(trace_lines restart)" "restarts"

rm -f "$runs"
: >"$TRACE_FILE"
if [ "$E2E_PLATFORM" = windows ]; then
  install_console_launcher "$(basename "$LAUNCHER")"  # the same settings file
  start_launcher exit-runs "$(native_path "$runs")" 100 7
  expect_exit 7
else
  start_launcher exit-runs "$(native_path "$runs")" 100 7
  expect_exit 0
  wait_until "the guard's refusal" runs_reach 6
fi
wait_until "the last run's end" trace_holds \
  'restart-refused code=7 restarts=5 as many restarts as allowed within a minute: the exit code stands'
assert_equals 6 "$(run_count)" "runs of a loop that never settles"
assert_equals 5 "$(trace_lines restart | wc -l)" "restarts"

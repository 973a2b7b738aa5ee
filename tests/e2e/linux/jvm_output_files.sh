#!/usr/bin/env bash
# "Output File" and "Error File" with a date pattern, in folders that do not
# exist yet: the folders are made, the names carry the date, and the append
# settings decide whether a second run adds to the files or empties them.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
write_probe_settings probe.Probe "Output File=$SCENARIO_DIR/logs/new/out_%yyyy-MM-dd%.log
Output Append=yes
Error File=$SCENARIO_DIR/logs/other/err_%yyyy%.log
Error Append=Yes"

before=$(date +%Y-%m-%d)
start_launcher print first-out first-err
expect_exit 0
start_launcher print second-out second-err
expect_exit 0
after=$(date +%Y-%m-%d)
[ "$before" = "$after" ] || exit 0  # midnight passed: the names cannot be told

assert_file_is "$SCENARIO_DIR/logs/new/out_$before.log" $'first-out\nsecond-out'
# "Yes" is not "yes": the error file is emptied at each start.
assert_file_is "$SCENARIO_DIR/logs/other/err_${before:0:4}.log" "second-err"
assert_stdout_is ""
assert_stderr_is ""

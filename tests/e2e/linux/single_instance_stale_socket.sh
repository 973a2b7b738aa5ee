#!/usr/bin/env bash
# A first instance killed with SIGKILL leaves its socket behind: its waiting
# second instance ends with -1, and the next start is the first instance
# itself (the lock decides, not the socket file) and serves later starts.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_probe
write_probe_settings probe.SecondaryInt "Single Instance=yes"
use_trace
export PROBE_SECONDARY_LOG="$SCENARIO_DIR/secondary.log" PROBE_SECONDARY_DELAY_MS=60000
start_first_instance
start_second_instance orphan abc
expect_handed_off orphan
kill -KILL "$LAUNCHER_PID"
collect_exit
expect_second_exit orphan 255
socket=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -type s -name 'launcher-*.socket' | head -n1)
[ -n "$socket" ] || fail "the killed instance left no socket behind"

unset PROBE_SECONDARY_DELAY_MS
: >"$SCENARIO_DIR/stdout.txt"
start_first_instance
run_second_instance after 2 ab
release_first_instance
expect_exit 0

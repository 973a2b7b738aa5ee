#!/usr/bin/env bash
# A second instance that gets no reply (the application has no secondaryMain)
# waits until the first instance ends and then ends with its exit code: the
# code the application gave System.exit, in main or on a thread that outlived it.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_probe
write_probe_settings probe.Probe "Single Instance=yes"
use_trace

GO_FILE="$SCENARIO_DIR/go"
start_launcher wait-exit "$GO_FILE" 7
wait_for_first_instance grep -qx 'main started' "$SCENARIO_DIR/stdout.txt"
start_second_instance waiting abc
expect_handed_off waiting
release_first_instance
expect_exit 7
expect_second_exit waiting 7
# The runtime says why nothing was called.
assert_stderr_has "secondaryMain"

# After main, while a thread of the application runs, a start is still handed
# over; System.exit on that thread then ends both.
rm -f "$GO_FILE"
: >"$TRACE_FILE" # the lines of this start and its second instance only
start_launcher thread-exit "$GO_FILE" 9
wait_for_trace_line 'phase name="destroy-jvm"'
start_second_instance late x
expect_handed_off late
release_first_instance
expect_exit 9
expect_second_exit late 9

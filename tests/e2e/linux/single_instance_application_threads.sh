#!/usr/bin/env bash
# An application may outlive its main, as a window's does: while a thread of
# the application runs on, the first instance serves later starts, and only
# once it has ended does a later start run the application itself.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/application.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_single_instance_application int
use_trace
start_first_instance in-thread
# main has returned: the run has come to its end.
wait_for_trace_line 'phase name="destroy-jvm"'
# Were it not served, this start would run main, which waits for the file "x":
# made here, so that the start then ends, with 0 rather than secondaryMain's 1.
: >"$SCENARIO_DIR/x"
run_second_instance during 1 x
assert_secondary_calls <<<"$(secondary_call --result 1 x)"
launcher_running || fail "the first instance ended while the application's thread ran"

release_first_instance
expect_exit 0
run_second_instance after 0 "$(native_path "$GO_FILE")"
assert_file_is "$SCENARIO_DIR/after.out" "main started"

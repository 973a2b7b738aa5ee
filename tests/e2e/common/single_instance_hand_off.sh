#!/usr/bin/env bash
# With "Single Instance=yes" a later start hands its arguments to the first one
# and ends with secondaryMain's reply (the int form's value): no arguments, an
# empty argument in the middle, 5,000 characters and characters outside ASCII
# arrive whole, in the order of the starts, and no request passes once the JVM
# is destroyed. Each later start learns the first instance's process id (and
# on Windows grants it the foreground). Only the first instance runs a JVM.
# The probe (linux) also throws from secondaryMain: the first instance prints
# the exception and answers 0. The stub (windows) shows the request threads attach and detach.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/application.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_single_instance_application int
use_trace
start_first_instance first

seconds=(none middle long text)
run_second_instance none 0
run_second_instance middle 2 a "" b
long=$(printf 'x%.0s' $(seq 5000))
run_second_instance long $((5000 % 256)) "$long"
run_second_instance text 4 "é中😀"  # 😀 is two UTF-16 units
if [ "$E2E_PLATFORM" = linux ]; then
  seconds+=(thrower)
  run_second_instance thrower 0 throw
fi
release_first_instance
expect_exit_without_dialog 0

assert_equals "$(secondary_call --result 0
  secondary_call --result 2 a "" b
  secondary_call --result 5000 "$long"
  secondary_call --result 4 "é中😀")" "$(secondary_calls)" "the calls of secondaryMain"
for name in "${seconds[@]}"; do
  assert_file_is "$SCENARIO_DIR/$name.out" ""
  assert_file_is "$SCENARIO_DIR/$name.err" ""
done
assert_first_instance_named "${#seconds[@]}"
# No request passes once DestroyJavaVM has returned, before anything else is done.
assert_trace_order 'phase name="destroy-jvm"' 'forwarding-closed' \
  'exit code=0 reason="main returned and the JVM was destroyed"'

if [ "$E2E_PLATFORM" = windows ]; then
  assert_equals 1 "$(log_events JNI_CreateJavaVM | wc -l)" "JVMs created"
  # The four requests', and the one that waits for the application's threads after main.
  assert_equals 5 "$(log_events AttachCurrentThread | wc -l)" "threads attached"
  assert_request_threads_detached
  assert_log_order 'main-resumed' 'DestroyJavaVM result=0'
else
  assert_stdout_is "main started"
  assert_stderr_has "java.lang.IllegalStateException: thrown by secondaryMain"
fi

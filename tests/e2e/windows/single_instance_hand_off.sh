#!/usr/bin/env bash
# With "Single Instance=yes" a later start hands its arguments to the first one
# and ends with secondaryMain's reply (the int form's value): no arguments, an
# empty argument in the middle and 5,000 characters arrive whole, through the
# request threads of the first instance, which attach and detach again. Only
# the first instance creates a JVM.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_stub_application
write_stub_settings "" "Single Instance=yes"
use_stub_log
use_trace
export STUB_JVM_SECONDARY=int
start_first_instance first

run_second_instance none 0
run_second_instance middle 2 a "" b
long=$(printf 'x%.0s' $(seq 5000))
run_second_instance long $((5000 % 256)) "$long"
release_first_instance
expect_exit_without_dialog 0

assert_secondary_calls <<LOG
secondaryMain class="com/example/Main" form=int args=[] result=0
secondaryMain class="com/example/Main" form=int args=["a","","b"] result=2
secondaryMain class="com/example/Main" form=int args=["$long"] result=5000
LOG
assert_equals 1 "$(log_events JNI_CreateJavaVM | wc -l)" "JVMs created"
assert_equals 3 "$(log_events AttachCurrentThread | wc -l)" "request threads"
assert_request_threads_detached
assert_log_order 'main-resumed' 'DestroyJavaVM result=0'
# No request passes once DestroyJavaVM has returned, before anything else is done.
assert_trace_order 'phase name="destroy-jvm"' 'forwarding-closed' \
  'exit code=0 reason="main returned and the JVM was destroyed"'

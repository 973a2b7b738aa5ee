#!/usr/bin/env bash
# With "Single Instance=yes" a later start hands its arguments to the first one
# over the user's socket and ends with secondaryMain's reply (the int form's
# value): no arguments, an empty argument in the middle, 5,000 characters and
# characters outside ASCII arrive whole; an exception that escapes it is
# printed by the first instance and answered 0. Only the first instance runs a JVM.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_probe
write_probe_settings probe.SecondaryInt "Single Instance=yes"
export PROBE_SECONDARY_LOG="$SCENARIO_DIR/secondary.log"
start_first_instance

run_second_instance none 0
run_second_instance middle 2 a "" b
long=$(printf 'x%.0s' $(seq 5000))
run_second_instance long $((5000 % 256)) "$long"
run_second_instance text 4 "é中😀"  # 😀 is two UTF-16 units
run_second_instance thrower 0 throw
release_first_instance
expect_exit 0
assert_stderr_has "java.lang.IllegalStateException: thrown by secondaryMain"

assert_file_is "$PROBE_SECONDARY_LOG" "call 1 args 0: result 0
call 2 args 3: $(probe_units a) [] $(probe_units b) result 2
call 3 args 1: $(probe_units "$long") result 5000
call 4 args 1: $(probe_units "é中😀") result 4"
assert_stdout_is "main started"
for name in none middle long text thrower; do
  assert_file_is "$SCENARIO_DIR/$name.out" ""
  assert_file_is "$SCENARIO_DIR/$name.err" ""
done

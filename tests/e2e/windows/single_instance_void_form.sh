#!/usr/bin/env bash
# The void form of secondaryMain: the second instance is answered 0 as soon as
# the request is taken, before secondaryMain has run; the call still happens.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_stub_application
write_stub_settings "" "Single Instance=yes"
use_stub_log
export STUB_JVM_SECONDARY=void STUB_JVM_SECONDARY_DELAY_MS=5000
start_first_instance

run_second_instance quick 0 "file one.txt"
# The stub writes its line when secondaryMain returns, 5 s after it began.
[ -z "$(secondary_calls)" ] || fail "secondaryMain had returned before the second instance ended"
release_first_instance
expect_exit_without_dialog 0
assert_secondary_calls <<'LOG'
secondaryMain class="com/example/Main" form=void args=["file one.txt"]
LOG

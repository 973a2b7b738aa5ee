#!/usr/bin/env bash
# The console launcher alone on a console of its own, as Explorer starts it:
# the console closes when it ends, so after a failure it waits for a key
# before it goes. Started from a shell on the same console (cmd here) it ends
# at once. The "JRE Not Found" question there takes a folder in double quotes,
# as Explorer's "Copy as path" gives it.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/per_user_settings.sh"
begin_scenario
use_per_user_settings
install_console_launcher
install_runtime "chosen jre"
: >"$SCENARIO_DIR/app.jar"
use_stub_log

write_settings <<'INI'
[Class Path]
Class Path=app.jar
INI
start_launcher_alone_on_console
wait_for_console_text "Press any key to close this window."
console_shows "Main class was not specified in INI file." || fail "the console does not show the message"
launcher_running || fail "the launcher did not wait for a key"
type_in_console "x"
expect_exit 255

start_launcher_alone_on_console --shell
expect_exit 255
console_shows "Main class was not specified in INI file." || fail "the console does not show the message"
console_shows "Press any key" && fail "a launcher started from a shell waited for a key"

write_runtime_not_found_settings
start_launcher_alone_on_console
wait_for_console_text "Browse for JRE folder:"
type_in_console " \"$(win_path "$SCENARIO_DIR/chosen jre")\""$'\n'
expect_exit 0
assert_jvm_created_from "chosen jre"

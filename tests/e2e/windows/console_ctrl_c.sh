#!/usr/bin/env bash
# Ctrl+C in the console of a console launcher reaches the JVM, which handles
# it as under java: the application ends through the JVM's own handler, with
# the exit code the JVM gives (130). The stub runtime takes the event as
# HotSpot does and logs it.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/splash.sh"
begin_scenario

install_console_launcher
install_runtime jre
: >"$SCENARIO_DIR/app.jar"
write_stub_settings
use_stub_log
main_waits

start_launcher_in_console
wait_for_main
press_ctrl_c
expect_exit_without_dialog 130
assert_log_order "console-event name=ctrl-c" "hook name=exit code=130" "exit code=130"
assert_log_lacks "main-resumed"

#!/usr/bin/env bash
# What a console launcher leaves out: with a "Splash Screen" set it shows no
# splash, neither its own window nor the runtime's; with "Single Instance" a
# later start hands its arguments to the first one as the windowed launcher
# does, ends with secondaryMain's reply and prints nothing of its own.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/splash.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_console_launcher
install_runtime jre
install_splash_library jre
: >"$SCENARIO_DIR/app.jar"
copy_picture quadrants.bmp
use_stub_log
use_splash_log

for prefer in No Yes; do
  log "native splash preferred: $prefer"
  write_stub_settings "" "[Display]
Splash Screen=quadrants.bmp
Preffer Native Splash Screen=$prefer"
  : >"$STUB_LOG"
  main_waits
  start_launcher
  wait_for_main
  expect_no_splash_window 0
  assert_log_lacks "Splash"
  release_main
  expect_exit_without_dialog 0
done

write_stub_settings "" "Single Instance=yes"
: >"$STUB_LOG"
export STUB_JVM_SECONDARY=int
start_first_instance first
run_second_instance second 2 a "" b
release_first_instance
expect_exit_without_dialog 0
assert_secondary_calls <<LOG
secondaryMain class="com/example/Main" form=int args=["a","","b"] result=2
LOG
assert_file_is "$SCENARIO_DIR/second.out" ""
assert_file_is "$SCENARIO_DIR/second.err" ""

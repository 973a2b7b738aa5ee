#!/usr/bin/env bash
# What the scenarios rely on in ui_driver, checked against the launcher's error
# box: its exit codes, its refusals, and texts that survive the round trip.
source "$(dirname "$0")/../lib.sh"
begin_scenario

# expect_driver CODE ARGS...: runs ui_driver and checks its exit code.
expect_driver() {
  local expected=$1
  shift
  ui_driver "$SCENARIO_DIR/driver.txt" "$@"
  local actual=$?
  [ "$actual" = "$expected" ] || cat "$SCENARIO_DIR/driver.txt"
  assert_equals "$expected" "$actual" "exit code of ui_driver $*"
}

install_launcher launcher.exe
expect_driver 2 frobnicate
expect_driver 2 list --timeout soon
expect_driver 2 click --process "$LAUNCHER_WIN"
expect_driver 2 list --until-file x
expect_driver 1 list --process "$LAUNCHER_WIN" --timeout 200
expect_driver 0 absent --process "$LAUNCHER_WIN" --timeout 200

start_launcher
expect_dialog
expect_driver 1 absent --process "$LAUNCHER_WIN" --timeout 200
expect_driver 1 list --process "$LAUNCHER_WIN" --caption "Another caption" --timeout 200
expect_driver 3 click --id 2 --process "$LAUNCHER_WIN"

text=$'Zeile "eins"\\\n\tnäher 😀'
expect_driver 0 set-text --id 65535 --text "$text" --process "$LAUNCHER_WIN"
expect_dialog --caption "Error"
assert_control_text 65535 "$text"

expect_driver 0 click --id 1 --via command --process "$LAUNCHER_WIN"
expect_exit 255
expect_driver 0 absent --process "$LAUNCHER_WIN" --timeout 200

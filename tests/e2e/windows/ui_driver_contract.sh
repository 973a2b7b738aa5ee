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
expect_driver 2 list --absent
expect_driver 2 windows
expect_driver 2 capture --id 1
expect_driver 2 capture --out x.ppm --id 1 --rect 0,0,1,1
expect_driver 2 pixels
expect_driver 2 pixels --rect 5,5,5,9
expect_driver 2 pixels --rect 1,2,3
expect_driver 2 click-at --id 1 --x 1
expect_driver 2 click-at --id 1 --x 1 --y 1 --release-x 3
expect_driver 2 click-at --id 1 --x 40000 --y 1
expect_driver 2 key --vk F1
expect_driver 2 size --width 0 --height 10
expect_driver 2 show --state hidden
expect_driver 2 browse
expect_driver 2 browse --path x --cancel
expect_driver 1 windows --class NoSuchWindowClass --process "$LAUNCHER_WIN" --timeout 200
expect_driver 0 windows --class NoSuchWindowClass --absent --timeout 200
expect_driver 1 list --process "$LAUNCHER_WIN" --timeout 200
expect_driver 0 absent --process "$LAUNCHER_WIN" --timeout 200

start_launcher
expect_dialog
expect_driver 1 absent --process "$LAUNCHER_WIN" --timeout 200
expect_driver 1 list --process "$LAUNCHER_WIN" --caption "Another caption" --timeout 200
expect_driver 3 click --id 2 --process "$LAUNCHER_WIN"
expect_driver 3 click-at --id 2 --x 1 --y 1 --process "$LAUNCHER_WIN"
expect_driver 3 pixels --id 2 --process "$LAUNCHER_WIN"
expect_driver 1 browse --path 'C:\' --process "$LAUNCHER_WIN" --timeout 200

text=$'Zeile "eins"\\\n\tnäher 😀'
expect_driver 0 set-text --id 65535 --text "$text" --process "$LAUNCHER_WIN"
expect_dialog --caption "Error"
assert_control_text 65535 "$text"

expect_driver 0 click --id 1 --via command --process "$LAUNCHER_WIN"
expect_exit 255
expect_driver 0 absent --process "$LAUNCHER_WIN" --timeout 200

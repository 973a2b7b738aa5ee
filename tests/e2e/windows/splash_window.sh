#!/usr/bin/env bash
# The launcher's own splash window: its class, styles and drop shadow, and its
# size and place for pictures of several sizes (some larger than the 1024x768
# screen), while main runs; the launcher ends as usual once main returns.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/splash.sh"
begin_scenario
install_stub_application
use_stub_log
main_waits

# show_grey WIDTH HEIGHT SHADOW_LINE FIELD=VALUE...: runs the application with a
# grey picture of that size and checks the splash window while main waits.
show_grey() {
  local width=$1 height=$2 shadow=$3
  shift 3
  log "picture ${width}x$height, [$shadow]"
  write_grey_bmp "$SCENARIO_DIR/splash.bmp" "$width" "$height"
  write_stub_settings "" "[Display]
Splash Screen=splash.bmp
$shadow"
  : >"$STUB_LOG"
  rm -f "$MAIN_WAIT_FILE"
  start_launcher
  wait_for_main
  expect_splash_window
  assert_splash "$@"
  release_main
  expect_exit_without_dialog 0
  expect_no_splash_window 0
}

# A tool window (no taskbar button) and a pop-up (no caption, no border),
# shown; (1024 - 400) / 2 = 312, (768 - 300) / 2 = 234.
show_grey 400 300 "Splash Screen Shadow=true" \
  rect=312,234,712,534 style=0x94000000 exstyle=0x00000080 class-style=0x00020808 visible=1
ui_driver "$SCENARIO_DIR/pixels.txt" pixels --class "$SPLASH_CLASS" --process "$LAUNCHER_WIN" --timeout 0 &&
  fail "the splash window outlived the launcher"

# Only "true" itself turns the shadow on. One pixel too wide: (1024 - 1025) / 2 is 0.
show_grey 1025 300 "Splash Screen Shadow=True" rect=0,234,1025,534 class-style=0x00000808
# Three pixels too wide and too high: -1.
show_grey 1027 771 "" rect=-1,-1,1026,770 class-style=0x00000808 exstyle=0x00000080
show_grey 1100 800 "Splash Screen Shadow=yes" rect=-38,-16,1062,784 class-style=0x00000808

# The picture fills the window, and nothing else shows in it.
write_grey_bmp "$SCENARIO_DIR/splash.bmp" 64 48
write_stub_settings "" "[Display]
Splash Screen=splash.bmp"
: >"$STUB_LOG"
rm -f "$MAIN_WAIT_FILE"
start_launcher
wait_for_main
expect_splash_window
assert_splash rect=480,360,544,408
ui_driver "$SCENARIO_DIR/pixels.txt" pixels --class "$SPLASH_CLASS" --process "$LAUNCHER_WIN" ||
  fail "could not read the splash window's pixels"
cat "$SCENARIO_DIR/pixels.txt"
assert_equals "area rect=480,360,544,408 size=64,48 colours=1
colour=808080 count=3072" "$(tr -d '\r' <"$SCENARIO_DIR/pixels.txt")" "pixels of the splash window"
release_main
expect_exit_without_dialog 0

# A main that returns at once closes the window while its thread is still
# making it: the thread is told again until it has ended, and the launcher ends.
unset STUB_JVM_MAIN_WAIT_FILE
for run in 1 2 3; do
  : >"$STUB_LOG"
  start_launcher
  expect_exit_without_dialog 0
  assert_log_has "DestroyJavaVM result=0"
done

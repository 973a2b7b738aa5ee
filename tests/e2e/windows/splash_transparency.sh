#!/usr/bin/env bash
# A PNG with an alpha channel in the launcher's splash window: shown per pixel
# by a layered window, over what lies behind it rather than on the window
# colour.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/splash.sh"
begin_scenario
require_variables E2E_WINDOW_FIXTURE
install_stub_application
use_stub_log
main_waits
write_stub_settings "" "[Display]
Splash Screen=translucent.png"

# Opaque red, green at alpha 128, blue at alpha 0, black at alpha 64: a
# layered window given the picture with its alpha channel. Where the picture
# is transparent the screen shows what lay there before (a window of one
# colour standing for the desktop: Xvfb's own is black, as a transparent
# pixel premultiplied is), not the window colour; where it is opaque, the
# picture.
copy_picture translucent.png
(cd "$SCENARIO_DIR" && exec "$E2E_WINE" "$E2E_WINDOW_FIXTURE" splash --class Backdrop --colour 3366CC \
  --size 120,100 --at 452,334) </dev/null >"$SCENARIO_DIR/backdrop.txt" 2>&1 &
BACKDROP_PID=$!
BACKGROUND_PIDS+=("$BACKDROP_PID")
ui_driver "$SCENARIO_DIR/backdrop-window.txt" windows --class Backdrop --timeout "$E2E_DIALOG_TIMEOUT_MS" ||
  fail "the backdrop window did not appear"
# Checks in a subshell, so that a screen not yet painted is read again.
backdrop_painted() {
  (capture_screen "$SCENARIO_DIR/desktop.txt" 472,354,552,414 &&
    assert_colours "$SCENARIO_DIR/desktop.txt" 0 0 0 3366CC 79 59 3366CC) >/dev/null 2>&1
}
wait_until "the backdrop's painting" backdrop_painted
start_launcher
wait_for_main
expect_splash_window
assert_splash rect=472,354,552,414 exstyle=0x00080080
splash_painted() {
  (capture_splash "$SCENARIO_DIR/shown.txt" &&
    assert_colours "$SCENARIO_DIR/shown.txt" 0 0 0 FF0000 39 29 FF0000 20 15 FF0000) >/dev/null 2>&1
}
wait_until "the splash's showing" splash_painted
awk '$1 < 40 && $2 >= 30' "$SCENARIO_DIR/shown.txt" >"$SCENARIO_DIR/shown-corner.txt"
assert_equals "3366CC" "$(cut -d' ' -f3 "$SCENARIO_DIR/shown-corner.txt" | sort -u)" \
  "colours under the transparent quarter"
release_main
expect_exit_without_dialog 0


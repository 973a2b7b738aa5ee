#!/usr/bin/env bash
# The pictures the splash window shows, read back from the screen: BMP, GIF,
# PNG and TIFF (which OLE refuses and the Imaging Component reads) exactly,
# JPEG within a tolerance (a PNG with an alpha channel: splash_transparency); a picture that cannot be read gives a window of no size,
# and the application runs all the same.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/splash.sh"
begin_scenario
install_stub_application
use_stub_log
main_waits
bmp_pixels "$SPLASH_PICTURES/quadrants.bmp" >"$SCENARIO_DIR/quadrants.txt"

# Starts the application with PICTURE as "Splash Screen" and waits for main.
start_with_picture() {
  log "picture [$1]"
  write_stub_settings "" "[Display]
Splash Screen=$1"
  : >"$STUB_LOG"
  rm -f "$MAIN_WAIT_FILE"
  start_launcher
  wait_for_main
  expect_splash_window
}

finish() {
  release_main
  expect_exit_without_dialog 0
  assert_log_has "main-resumed"
}

# The 80x60 quadrants are red, green, blue and yellow; the window is centred.
for picture in quadrants.bmp quadrants.gif quadrants.png quadrants.tif; do
  copy_picture "$picture"
  start_with_picture "$picture"
  assert_splash rect=472,354,552,414
  capture_splash "$SCENARIO_DIR/shown.txt"
  cmp -s "$SCENARIO_DIR/quadrants.txt" "$SCENARIO_DIR/shown.txt" ||
    fail "$picture shows other pixels: $(diff "$SCENARIO_DIR/quadrants.txt" "$SCENARIO_DIR/shown.txt" | head -n 5)"
  finish
done

copy_picture quadrants.jpg
start_with_picture quadrants.jpg
assert_splash rect=472,354,552,414
capture_splash "$SCENARIO_DIR/shown.txt"
assert_colours "$SCENARIO_DIR/shown.txt" 8 5 5 FF0000 34 24 FF0000 45 5 00C000 74 24 00C000 \
  5 35 0000FF 34 54 0000FF 45 35 FFFF00 74 54 FFFF00
finish

# Nothing to show: no file, an empty file, bytes that are no picture, a folder.
: >"$SCENARIO_DIR/empty.bmp"
printf 'not a picture\n' >"$SCENARIO_DIR/text.png"
mkdir -p "$SCENARIO_DIR/folder.bmp"
for picture in missing.bmp empty.bmp text.png folder.bmp; do
  start_with_picture "$picture"
  assert_splash rect=512,384,512,384
  finish
done

# A picture that the settings name with a full path.
copy_picture quadrants.gif "full path.gif"
start_with_picture "$(win_path "$SCENARIO_DIR/full path.gif")"
assert_splash rect=472,354,552,414
finish

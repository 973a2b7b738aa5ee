#!/usr/bin/env bash
# The download address in the "JRE Not Found" dialog is a link: drawn in the
# browser's link colour (blue, or "Anchor Color" when that is valid), with a
# tooltip over the text; a click on the text, or Space or Enter once it has
# the focus, opens the address in the browser, after which the text is drawn
# in the visited colour. A click beside the text opens nothing.
source "$(dirname "$0")/../lib.sh"
begin_scenario

readonly COLOURS='HKCU\Software\Microsoft\Internet Explorer\Settings'
# The key is there in a new prefix; only the values are ours to remove.
remove_anchor_colours() {
  local status=$?
  wine_quiet reg delete "$COLOURS" /v "Anchor Color" /f
  wine_quiet reg delete "$COLOURS" /v "Anchor Color Visited" /f
  return "$status"
}
trap 'remove_anchor_colours; end_scenario' EXIT
remove_anchor_colours

# Wine opens web addresses with the programs its browser setting lists.
OPENED="$SCENARIO_DIR/opened.txt"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$OPENED" >"$SCENARIO_DIR/browser.sh"
chmod +x "$SCENARIO_DIR/browser.sh"
reg_add 'HKCU\Software\Wine\WineBrowser' Browsers "$SCENARIO_DIR/browser.sh"

install_launcher launcher.exe
: >"$SCENARIO_DIR/app.jar"
write_settings <<INI
[Java Runtime Environment]
Minimum Version=1.6
Maximum Version=1.6
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
INI

# The colour the link's text is drawn in: the most frequent colour over
# control 205 after its background.
link_colour() { control_colours 205 | sed -n '2s/ .*//p'; }

# Starts the launcher with "Anchor Color" set to VALUE (none when empty) and
# checks the link's colour.
expect_link_colour() {
  local value=$1 colour=$2
  if [ -n "$value" ]; then wine_quiet reg add "$COLOURS" /v "Anchor Color" /d "$value" /f; else remove_anchor_colours; fi
  start_launcher
  expect_dialog --caption "JRE Not Found"
  assert_equals "$colour" "$(link_colour)" "colour of the link with Anchor Color [$value]"
  press_button 2
  expect_exit 255
}

expect_link_colour "" 0000FF
expect_link_colour "0,128,0" 008000
expect_link_colour " 255, 0, 0" FF0000
for rejected in "12,34" "12,34," "255, 255, 255" "green"; do
  expect_link_colour "$rejected" 0000FF
done
remove_anchor_colours

# Waits until the browser was asked to open something COUNT times in all.
expect_opened() {
  local count=$1 deadline=$((SECONDS + 10))
  until [ -f "$OPENED" ] && [ "$(wc -l <"$OPENED")" -ge "$count" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the browser was not asked to open anything (${count}th time)"
    sleep 0.1
  done
  assert_equals "https://adoptium.net/" "$(sed -n "${count}p" "$OPENED")" "address opened"
}

start_launcher
expect_dialog --caption "JRE Not Found"
read_geometry
IFS=, read -r left top right bottom <<<"$(geometry_field rect 205)"
width=$((right - left))
height=$((bottom - top))

# The tooltip shows while the pointer rests on the text.
tooltip_shown() {
  drive_dialog windows --class tooltips_class32
  grep -q 'visible=1' "$DRIVER_OUTPUT"
}
hover_control 205 3 3
deadline=$((SECONDS + 5))
until tooltip_shown; do
  [ "$SECONDS" -lt "$deadline" ] || fail "no tooltip over the link: $(cat "$DRIVER_OUTPUT")"
  sleep 0.2
done
hover_control 206 3 3
deadline=$((SECONDS + 5))
while tooltip_shown; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the tooltip stayed when the pointer left the link"
  sleep 0.2
done

# The control is wider than its text: its last columns show only background.
drive_dialog pixels --id 205
background=$(sed -n '2s/^colour=\([0-9A-F]*\) .*/\1/p' "$DRIVER_OUTPUT")
screen_left=$(sed -n 's/^area rect=\(-\{0,1\}[0-9]*\),.*/\1/p' "$DRIVER_OUTPUT")
screen_top=$(sed -n 's/^area rect=[-0-9]*,\(-\{0,1\}[0-9]*\),.*/\1/p' "$DRIVER_OUTPUT")
drive_dialog pixels --rect "$((screen_left + width - 3)),$screen_top,$((screen_left + width)),$((screen_top + height))"
assert_equals "colour=$background count=$((3 * height))" "$(sed -n 2p "$DRIVER_OUTPUT")" "the control's last columns"

# Beside the text, and pressed on it but released beside it: nothing opens.
drive_dialog click-at --id 205 --x $((width - 2)) --y 3
drive_dialog click-at --id 205 --x 3 --y 3 --release-x $((width - 2)) --release-y 3
# (The openings below come after these clicks: had one of them opened
# anything, the count at the end would be too high.)
assert_equals 0000FF "$(link_colour)" "colour of the link before any opening"

# That press gave the link the focus: Space opens, and so does Enter.
drive_dialog key --vk SPACE
expect_opened 1
assert_equals 800080 "$(link_colour)" "colour of the visited link"
drive_dialog key --vk RETURN
expect_opened 2

# A click on the text opens it once more.
drive_dialog click-at --id 205 --x 3 --y 3
expect_opened 3
assert_equals 3 "$(wc -l <"$OPENED")" "openings: the clicks beside the text opened nothing"
expect_dialog --caption "JRE Not Found"
press_button 2
expect_exit 255

# "Anchor Color Visited" gives the visited colour.
wine_quiet reg add "$COLOURS" /v "Anchor Color Visited" /d "0,128,128" /f
start_launcher
expect_dialog --caption "JRE Not Found"
drive_dialog click-at --id 205 --x 3 --y 3
expect_opened 4
assert_equals 008080 "$(link_colour)" "colour of the visited link with Anchor Color Visited"
press_button 2
expect_exit 255

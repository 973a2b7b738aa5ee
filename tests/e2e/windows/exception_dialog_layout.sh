#!/usr/bin/env bash
# The "Java Exception" dialog is centred on the work area and can be resized:
# the text box and the group box grow with it, the two lower texts and the
# buttons move down, the buttons also right, the heading widens in place and
# the icon stays. Maximised, the size grip goes; restored, it comes back;
# minimised, nothing is laid out. Dragged smaller than at first, it stops at
# its first size.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
write_stub_settings "" "Failure Check=Yes"
export STUB_JVM_MAIN_THROWS=$'java.lang.IllegalStateException: laid out\r\n'
start_launcher
expect_dialog --caption "Java Exception"
readonly GRIP=59393

read_geometry
first_rect=$(geometry_field rect)
first_client=$(geometry_field client)
declare -A first
for id in 1 2 204 208 209 210 211 212 $GRIP; do first[$id]=$(geometry_field rect "$id"); done
assert_equals 1 "$(geometry_field visible $GRIP)" "the size grip at first"

drive_dialog work-area
[[ $(cat "$DRIVER_OUTPUT") =~ ^work-area=(-?[0-9]+),(-?[0-9]+),(-?[0-9]+),(-?[0-9]+)\  ]] || fail "no work area"
IFS=, read -r left top right bottom <<<"$first_rect"
width=$((right - left))
height=$((bottom - top))
assert_equals "$(((BASH_REMATCH[1] + BASH_REMATCH[3]) / 2 - width / 2)),$(((BASH_REMATCH[2] + BASH_REMATCH[4]) / 2 - height / 2))" \
  "$left,$top" "place of the dialog"

# moved RECT DL DT DR DB: the rectangle with each edge moved.
moved() {
  local l t r b
  IFS=, read -r l t r b <<<"$1"
  printf '%d,%d,%d,%d' $((l + $2)) $((t + $3)) $((r + $4)) $((b + $5))
}

# expect_layout DX DY: every control where the rules put it for a client area
# DX wider and DY taller than at first.
expect_layout() {
  local dx=$1 dy=$2
  assert_equals "$(moved "${first[209]}" 0 0 "$dx" "$dy")" "$(geometry_field rect 209)" "group box"
  assert_equals "$(moved "${first[208]}" 0 0 "$dx" "$dy")" "$(geometry_field rect 208)" "text box"
  assert_equals "$(moved "${first[210]}" 0 0 "$dx" 0)" "$(geometry_field rect 210)" "heading"
  assert_equals "$(moved "${first[211]}" 0 "$dy" "$dx" "$dy")" "$(geometry_field rect 211)" "choice text"
  assert_equals "$(moved "${first[212]}" 0 "$dy" "$dx" "$dy")" "$(geometry_field rect 212)" "warning"
  assert_equals "$(moved "${first[1]}" "$dx" "$dy" "$dx" "$dy")" "$(geometry_field rect 1)" "Ignore"
  assert_equals "$(moved "${first[2]}" "$dx" "$dy" "$dx" "$dy")" "$(geometry_field rect 2)" "Stop"
  assert_equals "${first[204]}" "$(geometry_field rect 204)" "icon"
}

read_geometry size --width $((width + 100)) --height "$height"
expect_layout 100 0
assert_equals "$(moved "${first[$GRIP]}" 100 0 100 0)" "$(geometry_field rect $GRIP)" "size grip"
read_geometry size --width "$width" --height $((height + 50))
expect_layout 0 50
read_geometry size --width $((width + 100)) --height $((height + 50))
expect_layout 100 50

# Maximised: the grip hides and the controls fill the larger client area.
read_geometry show --state maximize
IFS=, read -r client_width client_height <<<"$(geometry_field client)"
expect_layout $((client_width - ${first_client%,*})) $((client_height - ${first_client#*,}))
assert_equals 0 "$(geometry_field visible $GRIP)" "the size grip of the maximised dialog"
read_geometry show --state restore
expect_layout 100 50
assert_equals 1 "$(geometry_field visible $GRIP)" "the size grip once restored"

# Minimised: nothing moves.
read_geometry show --state minimize
read_geometry show --state restore
expect_layout 100 50

# Dragged by its grip with the real pointer: larger, then below its first size.
read_geometry size --width "$width" --height "$height"
expect_layout 0 0
drag_control $GRIP 8 8 60 40
expect_layout 60 40
drag_control $GRIP 8 8 -300 -200
assert_equals "$first_rect" "$(geometry_field rect)" "the dialog dragged below its first size"
expect_layout 0 0

press_button 2
expect_exit 255

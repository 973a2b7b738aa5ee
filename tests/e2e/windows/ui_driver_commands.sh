#!/usr/bin/env bash
# ui_driver's commands for windows beyond the launcher's error box, each
# checked against tests/tools/window_fixture.exe: the fixture shows the window
# and reports what reaches it, the driver must read and operate it so.
source "$(dirname "$0")/../lib.sh"
begin_scenario
require_variables E2E_WINDOW_FIXTURE

readonly WS_MAXIMIZE=0x01000000 WS_MINIMIZE=0x20000000 WS_THICKFRAME=0x00040000 WS_POPUP=0x80000000
DRIVER_OUTPUT="$SCENARIO_DIR/driver.txt"
REPORTS="$SCENARIO_DIR/stdout.txt"
REPORT_MARK=0

# drive COMMAND ARGS...: ui_driver on the fixture's windows; fails the scenario
# unless it succeeds. Its output stays in DRIVER_OUTPUT.
drive() {
  local command=$1
  shift
  ui_driver "$DRIVER_OUTPUT" "$command" --process "$LAUNCHER_WIN" --timeout "$E2E_DIALOG_TIMEOUT_MS" "$@"
  local status=$?
  [ "$status" -eq 0 ] || { cat "$DRIVER_OUTPUT"; fail "ui_driver $command $* failed with $status"; }
}

# expect_driver CODE COMMAND ARGS...: ui_driver on the fixture's windows ends with CODE.
expect_driver() {
  local expected=$1 command=$2
  shift 2
  ui_driver "$DRIVER_OUTPUT" "$command" --process "$LAUNCHER_WIN" "$@"
  local actual=$?
  [ "$actual" = "$expected" ] || cat "$DRIVER_OUTPUT"
  assert_equals "$expected" "$actual" "exit code of ui_driver $command $*"
}

# The value of NAME=VALUE in the line (values without spaces).
field() {
  [[ " $2" =~ \ $1=([^ ]*) ]] || fail "no $1 in [$2]"
  printf '%s' "${BASH_REMATCH[1]}"
}

# The line of the driver's output that starts with the text.
output_line() {
  grep -m1 -E "^$1" "$DRIVER_OUTPUT" || fail "no line [$1...] in the driver's output: $(cat "$DRIVER_OUTPUT")"
}

assert_bits() {
  local value=$1 bits=$2 what=$3
  (( (value & bits) == bits )) || fail "$what: $value lacks the bits $bits"
}

assert_no_bits() {
  local value=$1 bits=$2 what=$3
  (( (value & bits) == 0 )) || fail "$what: $value has bits of $bits"
}

# Width and height of an L,T,R,B rectangle, as W,H.
rect_size() {
  local left top right bottom
  IFS=, read -r left top right bottom <<<"$1"
  printf '%d,%d' $((right - left)) $((bottom - top))
}

# Copies the fixture in place of the launcher, so that lib.sh starts, watches
# and ends it as it does the launcher.
install_fixture() { E2E_LAUNCHER=$E2E_WINDOW_FIXTURE install_launcher window_fixture.exe; }

# Starts the fixture with the arguments; it reports anew.
start_fixture() {
  start_launcher "$@"
  REPORT_MARK=0
}

# Later expect_reports look only at what the fixture reports from now on.
mark_reports() { REPORT_MARK=$(wc -l <"$REPORTS"); }

# The first line the fixture reports that starts with the text, once it has.
report_line() {
  local deadline=$((SECONDS + 10))
  until grep -m1 -E "^$1" "$REPORTS"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the fixture did not report [$1...]; it reported: $(cat "$REPORTS")"
    sleep 0.05
  done
}

# Waits until the fixture has reported these lines, in this order, since the mark.
expect_reports() {
  local deadline=$((SECONDS + 10)) line number after
  for line in "$@"; do
    after=$REPORT_MARK
    until number=$(tail -n +$((after + 1)) "$REPORTS" | grep -nxF -m1 -- "$line" | cut -d: -f1) && [ -n "$number" ]; do
      [ "$SECONDS" -lt "$deadline" ] || fail "the fixture did not report [$line]; it reported: $(cat "$REPORTS")"
      sleep 0.05
    done
    REPORT_MARK=$((after + number))
  done
}

# ---- a resizable dialog made from a template ------------------------------

install_fixture
start_fixture dialog --colour 008000
expect_dialog --caption "Fixture Dialog"

# The dialog reports its own geometry, with the controls where its template puts
# them (asked for by its command, so that the focus stays where it starts).
drive click --id 103 --keep-open --via command
expect_reports "command id=103 code=0"
drive list --geometry
dialog_line=$(output_line "dialog ") || exit 1
report=$(report_line "report ") || exit 1
for name in rect style exstyle; do
  assert_equals "$(field "$name" "$report")" "$(field "$name" "$dialog_line")" "dialog $name"
done
assert_equals "$(field template-client "$report")" "$(field client "$dialog_line")" "client size of the dialog"
assert_equals "0" "$(field owner "$dialog_line")" "owner of the dialog"
assert_equals '""' "$(field owner-class "$dialog_line")" "owner class of the dialog"
assert_bits "$(field style "$dialog_line")" $WS_THICKFRAME "style of the dialog"
# The report's last line is the Cancel button's.
report_line "report-control id=2 " >/dev/null || exit 1
assert_equals 6 "$(grep -c '^report-control ' "$REPORTS")" "controls in the fixture's report"
while read -r control_report; do
  id=$(field id "$control_report")
  control_line=$(output_line "control id=$id ") || exit 1
  for name in rect style exstyle; do
    assert_equals "$(field "$name" "$control_report")" "$(field "$name" "$control_line")" "$name of control $id"
  done
done < <(grep '^report-control ' "$REPORTS")

# Without --geometry the listing is the plain one, and the geometry only adds fields.
sed -E 's/ hwnd=0x[0-9A-F]{8} rect=.* owner-class="[^"]*"//; s/ rect=[-0-9,]+ style=0x[0-9A-F]{8} exstyle=0x[0-9A-F]{8}//' \
  "$DRIVER_OUTPUT" >"$SCENARIO_DIR/geometry-stripped.txt"
drive list
diff "$SCENARIO_DIR/geometry-stripped.txt" "$DRIVER_OUTPUT" || fail "list --geometry differs from list by more than its fields"
assert_equals 'control id=205 class="Static" enabled=1 visible=1 text=""' "$(sed -n 2p "$DRIVER_OUTPUT")" "plain control line"

# Control 205 is filled with 008000: its pixels on screen are all that colour.
size_205=$(rect_size "$(field rect "$(grep -m1 '^report-control id=205 ' "$REPORTS")")")
drive pixels --id 205
area=$(output_line "area ") || exit 1
assert_equals "$size_205" "$(field size "$area")" "size of control 205 on screen"
assert_equals 1 "$(field colours "$area")" "colours of control 205"
assert_equals "colour=008000 count=$(( ${size_205%,*} * ${size_205#*,} ))" "$(sed -n 2p "$DRIVER_OUTPUT")" \
  "histogram of control 205"
screen_rect_205=$(field rect "$area")

drive capture --id 205 --out "$(win_path "$SCENARIO_DIR/static.ppm")"
{
  printf 'P6\n%d %d\n255\n' "${size_205%,*}" "${size_205#*,}"
  for ((i = 0; i < ${size_205%,*} * ${size_205#*,}; i++)); do printf '\x00\x80\x00'; done
} >"$SCENARIO_DIR/static-expected.ppm"
cmp "$SCENARIO_DIR/static-expected.ppm" "$SCENARIO_DIR/static.ppm" || fail "the capture of control 205 is not all 008000"

# A rectangle of the screen inside control 205.
IFS=, read -r left top _ _ <<<"$screen_rect_205"
drive pixels --rect "$((left + 10)),$((top + 5)),$((left + 20)),$((top + 15))"
assert_equals "area rect=$((left + 10)),$((top + 5)),$((left + 20)),$((top + 15)) size=10,10 colours=1
colour=008000 count=100" "$(cat "$DRIVER_OUTPUT")" "pixels of a rectangle in control 205"

# A click reaches the control at the client point; a press inside may be released outside.
mark_reports
drive click-at --id 205 --x 10 --y 5
assert_equals "click-at" "$(cut -d' ' -f1 "$DRIVER_OUTPUT")" "click-at's report"
assert_equals 'class="Static" id=205 press=10,5 release=10,5' "$(cut -d' ' -f3- "$DRIVER_OUTPUT")" "click-at's report"
expect_reports "mouse move id=205 x=10 y=5 keys=0" "mouse down id=205 x=10 y=5 keys=1" "command id=205 code=0" \
  "mouse up id=205 x=10 y=5 keys=0"
drive click-at --id 205 --x 12 --y 6 --release-x 300 --release-y -4
expect_reports "mouse down id=205 x=12 y=6 keys=1" "mouse move id=205 x=300 y=-4 keys=1" \
  "mouse up id=205 x=300 y=-4 keys=0"

# Keys go to the focused control, which starts as the edit box: SPACE types
# one space there (the fixture's own message loop makes the character).
drive key --vk SPACE
assert_equals 'class="Edit" id=101' "$(cut -d' ' -f4- "$DRIVER_OUTPUT")" "the window that got SPACE"
expect_reports "char id=101 code=0x00000020"
drive list
assert_equals 'control id=101 class="Edit" enabled=1 visible=1 text=" "' "$(grep '^control id=101 ' "$DRIVER_OUTPUT")" \
  "the edit box after SPACE"
drive key --vk TAB
assert_equals 'class="Edit" id=101' "$(cut -d' ' -f4- "$DRIVER_OUTPUT")" "the window that got TAB"
mark_reports
drive key --vk SPACE
assert_equals 'key vk=SPACE' "$(cut -d' ' -f1-2 "$DRIVER_OUTPUT")" "key's report"
assert_equals 'class="Button" id=102' "$(cut -d' ' -f4- "$DRIVER_OUTPUT")" "the window that got SPACE after TAB"
expect_reports "command id=102 code=0"

# Size and state, as the fixture sees them and as the driver reads them back.
mark_reports
drive size --width 500 --height 320
dialog_line=$(output_line "dialog ") || exit 1
assert_equals "500,320" "$(rect_size "$(field rect "$dialog_line")")" "size of the dialog"
expect_reports "size type=0 client=$(field client "$dialog_line")"
restored_rect=$(field rect "$dialog_line")

drive show --state maximize
dialog_line=$(output_line "dialog ") || exit 1
assert_bits "$(field style "$dialog_line")" $WS_MAXIMIZE "style of the maximized dialog"
expect_reports "size type=2 client=$(field client "$dialog_line")"

drive show --state minimize
dialog_line=$(output_line "dialog ") || exit 1
assert_bits "$(field style "$dialog_line")" $WS_MINIMIZE "style of the minimized dialog"
expect_reports "size type=1 client=0,0"

# Restored from the taskbar, a window that was maximized is maximized again.
drive show --state restore
assert_bits "$(field style "$(output_line "dialog ")")" $WS_MAXIMIZE "style of the dialog restored once"
drive show --state restore
dialog_line=$(output_line "dialog ") || exit 1
assert_no_bits "$(field style "$dialog_line")" $((WS_MAXIMIZE | WS_MINIMIZE)) "style of the dialog restored twice"
assert_equals "$restored_rect" "$(field rect "$dialog_line")" "place of the restored dialog"

mark_reports
drive key --vk ESCAPE
expect_reports "command id=2 code=0" "ended result=2"
expect_exit 0

# RETURN in the edit box presses the default button.
start_fixture dialog
expect_dialog --caption "Fixture Dialog"
mark_reports
drive key --vk RETURN
assert_equals 'class="Edit" id=101' "$(cut -d' ' -f4- "$DRIVER_OUTPUT")" "the window that got RETURN"
expect_reports "command id=1 code=0" "ended result=1"
expect_exit 0

# The close box cancels the dialog.
start_fixture dialog
expect_dialog --caption "Fixture Dialog"
mark_reports
drive close
expect_reports "command id=2 code=0" "ended result=2"
expect_exit 0

# ---- a splash window with a picture, and a message box it owns ------------

# A 40x20 picture, one colour a quarter: red, green above; blue, yellow below.
# The BMP holds its rows bottom up in blue-green-red order; the PPM top down in red-green-blue.
quarter_row() { for ((i = 0; i < 20; i++)); do printf "$1"; done; for ((i = 0; i < 20; i++)); do printf "$2"; done; }
le32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x00\\x00"; }
{
  printf 'BM'; le32 2454; le32 0; le32 54
  le32 40; le32 40; le32 20; printf '\x01\x00\x18\x00'; le32 0; le32 2400; le32 2835; le32 2835; le32 0; le32 0
  for ((row = 0; row < 10; row++)); do quarter_row '\xff\x00\x00' '\x00\xff\xff'; done
  for ((row = 0; row < 10; row++)); do quarter_row '\x00\x00\xff' '\x00\xff\x00'; done
} >"$SCENARIO_DIR/picture.bmp"
{
  printf 'P6\n40 20\n255\n'
  for ((row = 0; row < 10; row++)); do quarter_row '\xff\x00\x00' '\x00\xff\x00'; done
  for ((row = 0; row < 10; row++)); do quarter_row '\x00\x00\xff' '\xff\xff\x00'; done
} >"$SCENARIO_DIR/picture-expected.ppm"

start_fixture splash --class SplashScreenWindow --bmp "$(win_path "$SCENARIO_DIR/picture.bmp")" --at 16,16 \
  --message-box "Could not start."
drive windows --class SplashScreenWindow
window_line=$(output_line "window ") || exit 1
[[ $window_line =~ ^window\ hwnd=(0x[0-9A-F]{8})\ class=\"SplashScreenWindow\"\ rect=16,16,56,36\ style=(0x[0-9A-F]{8})\ exstyle=0x00000000\ class-style=0x00000003\ visible=1\ thread=[1-9][0-9]*$ ]] ||
  fail "unexpected window line: $window_line"
splash_handle=${BASH_REMATCH[1]}
assert_bits "${BASH_REMATCH[2]}" $WS_POPUP "style of the splash window"

drive capture --class SplashScreenWindow --out "$(win_path "$SCENARIO_DIR/picture.ppm")"
assert_equals "area rect=16,16,56,36 size=40,20" "$(cat "$DRIVER_OUTPUT")" "capture's report"
cmp "$SCENARIO_DIR/picture-expected.ppm" "$SCENARIO_DIR/picture.ppm" || fail "the capture differs from the picture"
drive pixels --class SplashScreenWindow
assert_equals "area rect=16,16,56,36 size=40,20 colours=4
colour=0000FF count=200
colour=00FF00 count=200
colour=FF0000 count=200
colour=FFFF00 count=200" "$(cat "$DRIVER_OUTPUT")" "histogram of the splash window"

expect_dialog --caption Fixture
drive list --geometry --caption Fixture
dialog_line=$(output_line "dialog ") || exit 1
assert_equals "$splash_handle" "$(field owner "$dialog_line")" "owner of the message box"
assert_equals '"SplashScreenWindow"' "$(field owner-class "$dialog_line")" "owner class of the message box"
press_button 1
expect_reports "message-box result=1"
expect_exit 0
expect_driver 0 windows --class SplashScreenWindow --absent --timeout 300

# ---- a plain splash window, centred on the work area ----------------------

start_fixture splash --class PlainSplash --colour 2080C0 --size 120,80
drive windows --class PlainSplash
splash_rect=$(field rect "$(output_line "window ")")
expect_driver 1 windows --class PlainSplash --absent --timeout 300
drive work-area
splash_report=$(report_line "splash ") || exit 1
assert_equals "work-area=$(field work-area "$splash_report") screen=$(field screen "$splash_report")" \
  "$(cat "$DRIVER_OUTPUT")" "work area and screen"
IFS=, read -r area_left area_top area_right area_bottom <<<"$(field work-area "$splash_report")"
left=$((area_left + (area_right - area_left - 120) / 2))
top=$((area_top + (area_bottom - area_top - 80) / 2))
assert_equals "$left,$top,$((left + 120)),$((top + 80))" "$splash_rect" "place of the centred splash window"
drive pixels --class PlainSplash
assert_equals "area rect=$splash_rect size=120,80 colours=1
colour=2080C0 count=9600" "$(cat "$DRIVER_OUTPUT")" "histogram of the plain splash window"
stop_process LAUNCHER_PID

# ---- the shell's folder picker --------------------------------------------

mkdir -p "$SCENARIO_DIR/folders/chosen one/inner"
start_fixture picker
drive browse --path "$(win_path "$SCENARIO_DIR/folders/chosen one")"
grep -q '^control id=[0-9]* class="SysTreeView32" ' "$DRIVER_OUTPUT" || fail "browse did not list the picker"
expect_reports "picked path=$(win_path "$SCENARIO_DIR/folders/chosen one")"
expect_exit 0

start_fixture picker
drive browse --cancel
expect_reports "picked none"
expect_exit 0

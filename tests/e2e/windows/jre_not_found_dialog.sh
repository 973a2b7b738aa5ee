#!/usr/bin/env bash
# No runtime to be found: the "JRE Not Found" dialog says which version is
# needed, with the error icon, centred on the work area. OK is enabled only
# while the folder browsed to holds a JVM library of the wanted kind. Cancel,
# Escape and the close box end the start with -1 and write nothing; OK runs the
# runtime chosen at once and remembers it in the per-user settings files of
# the launcher and of its pair product, so that the next start asks nothing.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/per_user_settings.sh"
begin_scenario
use_per_user_settings

install_launcher launcher.exe
install_runtime "chosen jre"
install_runtime --vm client "client jre"
mkdir -p "$SCENARIO_DIR/no jre/bin"
: >"$SCENARIO_DIR/app.jar"

# settings RUNTIME_LINES: no runtime, version bounds that none registered meets.
settings() {
  write_runtime_not_found_settings "Pair Product=$(win_path "$SCENARIO_DIR/pair/pair.exe")" "$1"
}

settings ""
start_launcher
expect_dialog --caption "JRE Not Found"
assert_control_text 203 "The Java Runtime Environment (JRE) was not found. Please  download and install a JRE (version between 1.6 and 1.6) from:"
assert_control_text 205 "https://adoptium.net/"
assert_control_text 206 "If you have a JRE installed you can browse for it below:"
assert_control_text 201 ""
assert_control_enabled 1 0
assert_control_enabled 202 1
assert_buttons 1 2 202 -1
assert_control_icon 204 hand

# Where the template puts each control: dialog units turned into pixels with
# the dialog's base units, which its client area (219 x 145 units) gives.
read_geometry
IFS=, read -r client_width client_height <<<"$(geometry_field client)"
for ((base_x = 1; (219 * base_x * 2 + 4) / 8 != client_width; base_x++)); do ((base_x < 40)) || fail "no base unit"; done
for ((base_y = 1; (145 * base_y * 2 + 8) / 16 != client_height; base_y++)); do ((base_y < 40)) || fail "no base unit"; done
# Each of x, y, width and height is rounded on its own (MulDiv), as the dialog manager does.
horizontal() { echo $((($1 * base_x * 2 + 4) / 8)); }
vertical() { echo $((($1 * base_y * 2 + 8) / 16)); }
to_pixels() {
  local left top
  left=$(horizontal "$1")
  top=$(vertical "$2")
  printf '%d,%d,%d,%d' "$left" "$top" $((left + $(horizontal "$3"))) $((top + $(vertical "$4")))
}
while read -r id x y width height; do
  assert_equals "$(to_pixels "$x" "$y" "$width" "$height")" "$(geometry_field rect "$id")" "place of control $id"
done <<'TEMPLATE'
1 107 122 50 14
2 161 122 50 14
201 60 89 94 14
202 157 89 50 14
203 44 24 147 25
205 44 55 75 8
206 12 73 195 8
TEMPLATE
assert_equals 0 "$(geometry_field owner)" "owner of the dialog"
assert_equals 0x94C800CC "$(geometry_field style)" "style of the dialog"
# Without an owner the dialog is centred on the work area.
drive_dialog work-area
[[ $(cat "$DRIVER_OUTPUT") =~ ^work-area=(-?[0-9]+),(-?[0-9]+),(-?[0-9]+),(-?[0-9]+)\  ]] || fail "no work area"
IFS=, read -r left top right bottom <<<"$(geometry_field rect)"
assert_equals "$(((BASH_REMATCH[1] + BASH_REMATCH[3]) / 2 - (right - left) / 2)),$(((BASH_REMATCH[2] + BASH_REMATCH[4]) / 2 - (bottom - top) / 2))" \
  "$left,$top" "place of the dialog"

# Escape, the close box and Cancel decline; nothing is written.
drive_dialog key --vk ESCAPE
expect_exit 255
start_launcher
expect_dialog --caption "JRE Not Found"
drive_dialog close
expect_exit 255
start_launcher
expect_dialog --caption "JRE Not Found"
press_button 2
expect_exit 255
[ ! -e "$PER_USER_DIR" ] || fail "a declined dialog wrote $PER_USER_DIR"

# OK follows the folder last browsed to.
use_stub_log
start_launcher
expect_dialog --caption "JRE Not Found"
browse_for_folder 202 "$SCENARIO_DIR/no jre"
# The picker had the title of string 214 and no button to make a folder.
grep -qF 'text="Browse for JRE folder"' "$DRIVER_OUTPUT" || fail "the folder picker lacks its title: $(cat "$DRIVER_OUTPUT")"
! grep -q 'visible=1 text="&Make New Folder"' "$DRIVER_OUTPUT" || fail "the folder picker offers to make a folder"
expect_dialog --caption "JRE Not Found"
assert_control_text 201 "$(win_path "$SCENARIO_DIR/no jre")"
assert_control_enabled 1 0
browse_for_folder 202 "$SCENARIO_DIR/chosen jre"
expect_dialog --caption "JRE Not Found"
assert_control_text 201 "$(win_path "$SCENARIO_DIR/chosen jre")"
assert_control_enabled 1 1
browse_for_folder 202 "$SCENARIO_DIR/no jre"
expect_dialog --caption "JRE Not Found"
assert_control_enabled 1 0
browse_for_folder 202 "$SCENARIO_DIR/chosen jre"
expect_dialog --caption "JRE Not Found"
assert_control_enabled 1 1
press_button 1
expect_exit 0
assert_jvm_created_from "chosen jre"

# Both per-user files hold the folder, with one closing backslash, in a new
# UTF-16 file.
utf16_file() { printf '\xFF\xFE'; printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE; }
utf16_file $'[Java Runtime Environment]\r\nJRE Path='"$(win_path "$SCENARIO_DIR/chosen jre")"$'\\\r\n' \
  >"$SCENARIO_DIR/expected.ini"
for name in launcher pair; do
  cmp "$SCENARIO_DIR/expected.ini" "$(per_user_file "$name")" || fail "the per-user file of $name differs"
done
[ ! -e "$SCENARIO_DIR/pair" ] || fail "the pair product's own folder was written"

# The next start finds the folder without asking.
use_stub_log
start_launcher
expect_exit_without_dialog 0
assert_jvm_created_from "chosen jre"
rm -rf "$PER_USER_DIR"

# A server JVM is asked for: a folder with only a client one is not taken.
settings "JVM Type=server"
start_launcher
expect_dialog --caption "JRE Not Found"
assert_control_text 203 "The Java Runtime Environment (JRE) was not found. Please  download and install a JRE with a server JVM (version between 1.6 and 1.6) from:"
browse_for_folder 202 "$SCENARIO_DIR/client jre"
expect_dialog --caption "JRE Not Found"
assert_control_text 201 "$(win_path "$SCENARIO_DIR/client jre")"
assert_control_enabled 1 0
press_button 2
expect_exit 255

#!/usr/bin/env bash
# The folder chosen in the "JRE Not Found" dialog is written into a settings
# file that a person wrote: only the value of "JRE Path" changes (or its line
# or section is added); the encoding, comments, order, blank lines and line
# ends stay as they were, byte for byte. A read-only file stays as it is, and
# the chosen runtime runs all the same. A service writes the settings files
# beside the launcher and its pair product instead of per-user ones.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/per_user_settings.sh"
begin_scenario
use_per_user_settings

install_launcher launcher.exe
install_runtime "chosen jre"
mkdir -p "$SCENARIO_DIR/old jre"
: >"$SCENARIO_DIR/app.jar"
CHOSEN=$(win_path "$SCENARIO_DIR/chosen jre")\\
OLD=$(win_path "$SCENARIO_DIR/old jre")

# The start asks, the user picks the runtime, and it runs.
start_and_choose() {
  use_stub_log
  start_launcher
  expect_dialog --caption "JRE Not Found"
  browse_for_folder 202 "$SCENARIO_DIR/chosen jre"
  expect_dialog --caption "JRE Not Found"
  press_button 1
  expect_exit 0
  assert_jvm_created_from "chosen jre"
}

utf16() { iconv -f UTF-8 -t UTF-16LE; }

# write_case FILE ENCODING TEXT: TEXT (with "\r\n" written out) stored in
# ENCODING: utf16 (with its byte-order mark), utf8bom, or ansi.
store() {
  local file=$1 encoding=$2 text=$3
  mkdir -p "$(dirname "$file")"
  case $encoding in
    utf16) { printf '\xFF\xFE'; printf '%s' "$text" | utf16; } >"$file" ;;
    utf8bom) { printf '\xEF\xBB\xBF'; printf '%s' "$text"; } >"$file" ;;
    ansi) printf '%s' "$text" | iconv -f UTF-8 -t WINDOWS-1252 >"$file" ;;
  esac
}

# expect_written ENCODING BEFORE AFTER: a per-user file holding BEFORE, whose
# "JRE Path" names a folder without a runtime, holds AFTER once the user chose.
expect_written() {
  local encoding=$1 before=$2 after=$3 file
  file=$(per_user_file launcher)
  store "$file" "$encoding" "$before"
  store "$SCENARIO_DIR/expected.ini" "$encoding" "$after"
  start_and_choose
  cmp "$SCENARIO_DIR/expected.ini" "$file" || {
    od -c "$file" | head -40
    fail "the $encoding per-user file differs from the expected one"
  }
}

# No runtime is found, so the dialog asks.
write_runtime_not_found_settings

# UTF-16 with comments, blank lines, other keys around the value, CR LF.
expect_written utf16 \
  $'; Written by hand for Jürgen\r\n\r\n[Java Runtime Environment]\r\n; the runtime of choice\r\n  JRE Path = '"$OLD"$'  \r\nKeep=this one\r\n\r\n[Other]\r\nJRE Path=not this\r\n' \
  $'; Written by hand for Jürgen\r\n\r\n[Java Runtime Environment]\r\n; the runtime of choice\r\n  JRE Path = '"$CHOSEN"$'  \r\nKeep=this one\r\n\r\n[Other]\r\nJRE Path=not this\r\n'

# ANSI (Windows-1252 here) without the section: it is added at the end, after
# a last line that had no line end.
expect_written ansi \
  $'; Grüße\r\n[Other]\r\nKey=Wert mit Umlaut: ä' \
  $'; Grüße\r\n[Other]\r\nKey=Wert mit Umlaut: ä\r\n[Java Runtime Environment]\r\nJRE Path='"$CHOSEN"

# UTF-8 with its mark and LF line ends: the key is added to its section.
expect_written utf8bom \
  $'[Java Runtime Environment]\nMinimum Version=1.6\n; note\n\n[Other]\nx=1\n' \
  $'[Java Runtime Environment]\nMinimum Version=1.6\n; note\nJRE Path='"$CHOSEN"$'\n\n[Other]\nx=1\n'

# A read-only file keeps its bytes; the chosen runtime runs anyway.
file=$(per_user_file launcher)
store "$file" utf16 $'[Java Runtime Environment]\r\nJRE Path='"$OLD"$'\r\n'
cp "$file" "$SCENARIO_DIR/expected.ini"
chmod a-w "$file"
start_and_choose
cmp "$SCENARIO_DIR/expected.ini" "$file" || fail "the read-only per-user file was changed"
chmod u+w "$file"
rm -rf "$PER_USER_DIR"

# A service writes beside the launcher and its pair product, keeping what is there.
mkdir -p "$SCENARIO_DIR/pair"
store "$SCENARIO_DIR/pair/pair.ini" ansi $'; the pair\'s own\r\n[Java Runtime Environment]\r\nJRE Path=\r\n'
write_runtime_not_found_settings "Application Type=service
Pair Product=$(win_path "$SCENARIO_DIR/pair/pair.exe")"
cp "$(settings_path_of "$LAUNCHER")" "$SCENARIO_DIR/launcher-before.ini"
start_and_choose
# The new line follows the last one of its section.
line="JRE Path=$CHOSEN"$'\r' awk '{ print } /^Maximum Version=/ { print ENVIRON["line"] }' \
  "$SCENARIO_DIR/launcher-before.ini" >"$SCENARIO_DIR/expected.ini"
cmp "$SCENARIO_DIR/expected.ini" "$(settings_path_of "$LAUNCHER")" || fail "the launcher's settings file differs"
store "$SCENARIO_DIR/expected.ini" ansi $'; the pair\'s own\r\n[Java Runtime Environment]\r\nJRE Path='"$CHOSEN"$'\r\n'
cmp "$SCENARIO_DIR/expected.ini" "$SCENARIO_DIR/pair/pair.ini" || fail "the pair product's settings file differs"
[ ! -e "$PER_USER_DIR" ] || fail "a service wrote a per-user file"

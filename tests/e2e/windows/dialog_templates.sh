#!/usr/bin/env bash
# The executable carries the two dialogs as templates 201 ("JRE Not Found")
# and 231 ("Java Exception"), in US English, with exactly these controls,
# styles and places (in dialog units). The resource compiler reads them back
# out of launcher.exe.
source "$(dirname "$0")/../lib.sh"
begin_scenario

windres=$(command -v x86_64-w64-mingw32-windres) || fail "x86_64-w64-mingw32-windres is not installed"
"$windres" -i "$E2E_LAUNCHER" -O rc -o "$SCENARIO_DIR/resources.rc" || fail "windres cannot read launcher.exe"

# The lines of dialog ID, from the LANGUAGE statement in force to its END.
template() {
  awk -v id="$1" '
    /^LANGUAGE / { language = $0 }
    $1 == id && $2 == "DIALOGEX" { print language; inside = 1 }
    inside { print }
    inside && /^END/ { exit }' "$SCENARIO_DIR/resources.rc"
}

assert_equals 'LANGUAGE 9, 1
201 DIALOGEX 0, 0, 219, 145
STYLE 0x80c800c8
CAPTION "JRE Not Found"
FONT 8, "MS Shell Dlg", 400, 0, 1
BEGIN
  CONTROL "OK", 1, "BUTTON", 0x50010001, 107, 122, 50, 14
  CONTROL "Cancel", 2, "BUTTON", 0x50010000, 161, 122, 50, 14
  CONTROL "", 201, "EDIT", 0x50810880, 60, 89, 94, 14
  CONTROL "JRE Path:", -1, "STATIC", 0x50020000, 12, 92, 45, 8
  CONTROL "Browse...", 202, "BUTTON", 0x50010000, 157, 89, 50, 14
  CONTROL "Missing JRE", -1, "BUTTON", 0x50000007, 8, 11, 203, 103
  CONTROL "", 203, "STATIC", 0x50020000, 44, 24, 147, 25
  CONTROL "https://adoptium.net/", 205, "STATIC", 0x50020000, 44, 55, 75, 8
  CONTROL "", 204, "STATIC", 0x50000003, 16, 26, 21, 20
  CONTROL "If you have a JRE installed you can browse for it below:", 206, "STATIC", 0x50020000, 12, 73, 195, 8
END' "$(template 201)" "template 201"

assert_equals 'LANGUAGE 9, 1
231 DIALOGEX 0, 0, 275, 242
STYLE 0x80cc00c8
CAPTION "Java Exception"
FONT 8, "MS Shell Dlg", 400, 0, 1
BEGIN
  CONTROL "Ignore", 1, "BUTTON", 0x50010001, 153, 210, 50, 14
  CONTROL "Stop", 2, "BUTTON", 0x50010000, 209, 210, 50, 14
  CONTROL "Uncaught Exception", 209, "BUTTON", 0x50000007, 8, 11, 259, 221, 0x20, 0
  CONTROL "", 204, "STATIC", 0x50000003, 16, 26, 21, 20
  CONTROL "", 208, "EDIT", 0x50b10004, 16, 54, 243, 102
  CONTROL "The java process has thrown the following uncaught exception:", 210, "STATIC", 0x50020000, 44, 26, 215, 23
  CONTROL "Press Ignore to continue and ignore the exception or press Stop to close the application.", 211, "STATIC", 0x50020000, 16, 164, 243, 18
  CONTROL "WARNING: If you choose to Stop the application any unsaved data will be lost.", 212, "STATIC", 0x50020000, 16, 187, 243, 18
END' "$(template 231)" "template 231"

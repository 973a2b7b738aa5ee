#!/usr/bin/env bash
# A publisher brands launcher.exe with launcher-brand.exe (run under Wine):
# settings, an icon with a 256-pixel PNG image, every version field and an
# execution level. Readers this project did not write accept the result, and
# Windows' own functions read back every field and icon size; the host build's
# tool makes the same bytes. Signed with osslsigncode, the branded launcher
# verifies and runs on the stub runtime with only its built-in settings. A
# signed file is re-branded only with --strip-signature, and then signs again.
source "$(dirname "$0")/../lib.sh"
begin_scenario
require_variables E2E_BRAND_INPUT E2E_RESOURCE_PROBE

cp "$E2E_BRAND_INPUT" "$SCENARIO_DIR/launcher.exe"
install_runtime jre
: >"$SCENARIO_DIR/app.jar"
make_icon app.ico
printf '[Java Runtime Environment]\r\nJRE Path=%s\r\n[Class Path]\r\nClass Path=app.jar\r\n[Application]\r\nMain Class=com.example.Branded\r\n' \
  "$(win_path "$SCENARIO_DIR/jre")" >"$SCENARIO_DIR/app.ini"
options=(--settings app.ini --icon app.ico --file-version 2.5.0.17 --product-version 2.5.0.0
  --company "Example Ltd" --product-name "My App" --description "My App — launcher" --copyright "© 2026 Example"
  --trademarks "MyApp™" --comments "Built for tests" --internal-name myapp --execution-level highestAvailable)

brand "${options[@]}" launcher.exe MyApp.exe
assert_equals 0 "$BRAND_EXIT" "exit code of launcher-brand"
assert_file_is "$SCENARIO_DIR/brand.err" ""
cmp -s "$SCENARIO_DIR/launcher.exe" "$E2E_BRAND_INPUT" || fail "launcher-brand changed its input"
log "launcher.exe $(stat -c %s "$SCENARIO_DIR/launcher.exe") bytes, MyApp.exe $(stat -c %s "$SCENARIO_DIR/MyApp.exe") bytes"

# The same inputs give the same bytes, and branding the branded file again changes nothing.
mkdir "$SCENARIO_DIR/again" "$SCENARIO_DIR/rebranded"
brand "${options[@]}" launcher.exe again/MyApp.exe
brand "${options[@]}" MyApp.exe rebranded/MyApp.exe
cmp "$SCENARIO_DIR/MyApp.exe" "$SCENARIO_DIR/again/MyApp.exe" || fail "a second branding differs"
cmp "$SCENARIO_DIR/MyApp.exe" "$SCENARIO_DIR/rebranded/MyApp.exe" || fail "branding the branded file differs"
if [ -x "${E2E_HOST_BRAND:-}" ]; then
  mkdir "$SCENARIO_DIR/host"
  (cd "$SCENARIO_DIR" && "$E2E_HOST_BRAND" "${options[@]}" launcher.exe host/MyApp.exe) || fail "the host tool failed"
  cmp "$SCENARIO_DIR/MyApp.exe" "$SCENARIO_DIR/host/MyApp.exe" || fail "the host and Windows tools brand differently"
else
  log "no host build of launcher-brand at [${E2E_HOST_BRAND:-}]: the comparison with it is left out"
fi

assert_readers_accept MyApp.exe
assert_icon_extracts MyApp.exe app.ico

# Windows' own readers: every version field, the settings, and each icon size.
image_size() { od -An -tu4 -j $((6 + 16 * $1 + 8)) -N4 "$SCENARIO_DIR/app.ico" | tr -d ' '; }
"$E2E_WINE" "$E2E_RESOURCE_PROBE" "$(win_path "$SCENARIO_DIR/MyApp.exe")" 16 32 256 | tr -d '\r' >"$SCENARIO_DIR/probe.txt" ||
  fail "resource_probe failed: $(cat "$SCENARIO_DIR/probe.txt")"
assert_file_is "$SCENARIO_DIR/probe.txt" "fixed file=2.5.0.17 product=2.5.0.0
version Comments=Built for tests
version CompanyName=Example Ltd
version FileDescription=My App — launcher
version FileVersion=2.5.0.17
version InternalName=myapp
version LegalCopyright=© 2026 Example
version LegalTrademarks=MyApp™
version OriginalFilename=MyApp.exe
version ProductName=My App
version ProductVersion=2.5.0.0
settings bytes=$(stat -c %s "$SCENARIO_DIR/app.ini")
extracted count=2 large=1 small=1
icon size=16 id=1 bytes=$(image_size 0) loaded=16
icon size=32 id=2 bytes=$(image_size 1) loaded=32
icon size=256 id=3 bytes=$(image_size 2) loaded=256"

brand --show MyApp.exe
assert_equals 0 "$BRAND_EXIT" "exit code of launcher-brand --show"
grep -qE '^icon: 16x16 [0-9]+-bit, 32x32 [0-9]+-bit, 256x256 32-bit$' "$SCENARIO_DIR/brand.out" ||
  fail "--show lists other icon sizes: $(cat "$SCENARIO_DIR/brand.out")"
for line in "execution level: highestAvailable" "signed: no" "file version: 2.5.0.17" "Main Class=com.example.Branded"; do
  grep -qF -- "$line" "$SCENARIO_DIR/brand.out" || fail "--show lacks [$line]: $(cat "$SCENARIO_DIR/brand.out")"
done

# Signed last, it verifies and runs with the settings it carries (it has no settings file).
mkdir "$SCENARIO_DIR/signed"
: >"$SCENARIO_DIR/signed/app.jar"
sign MyApp.exe signed/MyApp.exe
LAUNCHER="$SCENARIO_DIR/signed/MyApp.exe"
use_stub_log
start_launcher
expect_exit_without_dialog 0
grep -qF 'CallStaticVoidMethod class="com/example/Branded" name="main"' "$STUB_LOG" ||
  fail "the main class of the built-in settings did not run: $(cat "$STUB_LOG")"

brand --show signed/MyApp.exe
grep -qxF "signed: yes" "$SCENARIO_DIR/brand.out" || fail "--show does not see the signature"
brand_refused "is signed; give --strip-signature" --file-version 2.5.0.18 signed/MyApp.exe MyApp-2.exe
brand --strip-signature --file-version 2.5.0.18 signed/MyApp.exe MyApp-2.exe
assert_equals 0 "$BRAND_EXIT" "exit code of launcher-brand --strip-signature"
assert_readers_accept MyApp-2.exe
sign MyApp-2.exe MyApp-2-signed.exe

#!/usr/bin/env bash
# The host build of launcher-brand brands an image with the launcher's
# resources: the readers this project did not write accept the result, its
# PNG icon comes back byte for byte, it signs and verifies. Every kind of bad
# input is refused with exit code 2, a message naming the file and the fault,
# and nothing written; unknown settings keys are warned about by line, and
# refused with --strict.
source "$(dirname "$0")/../lib.sh"
begin_scenario
require_variables E2E_BRAND_INPUT

cp "$E2E_BRAND_INPUT" "$SCENARIO_DIR/launcher.exe"
make_png 48 app.png
printf '[Application]\r\nMain Class=com.example.App\r\n' >"$SCENARIO_DIR/app.ini"
brand --settings app.ini --icon app.png --file-version 1.2.3.4 --product-name "My App" \
  --execution-level requireAdministrator --subsystem console launcher.exe MyApp.exe
assert_equals 0 "$BRAND_EXIT" "exit code of launcher-brand"
log "input $(stat -c %s "$SCENARIO_DIR/launcher.exe") bytes, output $(stat -c %s "$SCENARIO_DIR/MyApp.exe") bytes"
assert_readers_accept MyApp.exe
grep -qE 'Subsystem[[:space:]]+00000003' "$SCENARIO_DIR/objdump.txt" || fail "objdump does not see a console program"
wrestool -x --type=3 --name=1 --raw -o "$SCENARIO_DIR/extracted.png" "$SCENARIO_DIR/MyApp.exe" || fail "wrestool found no icon"
cmp "$SCENARIO_DIR/extracted.png" "$SCENARIO_DIR/app.png" || fail "the icon image differs from app.png"
wrestool -x --type=10 --name=SETTINGS --raw -o "$SCENARIO_DIR/extracted.ini" "$SCENARIO_DIR/MyApp.exe"
cmp "$SCENARIO_DIR/extracted.ini" "$SCENARIO_DIR/app.ini" || fail "the built-in settings differ from app.ini"
brand --show MyApp.exe
for line in "subsystem: console" "execution level: requireAdministrator" "file version: 1.2.3.4" \
  "version ProductName: My App" "version OriginalFilename: MyApp.exe" "icon: 48x48 32-bit" "signed: no"; do
  grep -qxF -- "$line" "$SCENARIO_DIR/brand.out" || fail "--show lacks [$line]: $(cat "$SCENARIO_DIR/brand.out")"
done
sign MyApp.exe MyApp-signed.exe

# Settings the launcher would not read: warned about, by line; --strict refuses them.
printf '[Application]\r\nMain Clas=com.example.App\r\n[Aplication]\r\n' >"$SCENARIO_DIR/typo.ini"
brand --settings typo.ini launcher.exe typo.exe
assert_equals 0 "$BRAND_EXIT" "exit code with unknown keys"
assert_file_is "$SCENARIO_DIR/brand.err" "launcher-brand: typo.ini: line 2: unknown key \"Main Clas\" in [Application]
launcher-brand: typo.ini: line 3: unknown section [Aplication]"
brand_refused 'line 2: unknown key "Main Clas"' --strict --settings typo.ini launcher.exe typo.exe

# Settings written with LF (and mixed) line ends are stored with CR LF ends, said on standard error.
printf '[Application]\nMain Class=com.example.App\r\n[Class Path]\nClass Path=app.jar\n' >"$SCENARIO_DIR/lf.ini"
brand --strict --settings lf.ini launcher.exe lf.exe
assert_equals 0 "$BRAND_EXIT" "exit code with LF line ends"
assert_file_is "$SCENARIO_DIR/brand.err" "launcher-brand: lf.ini: lines ending in LF alone are stored ending in CR LF, as the launcher reads them"
wrestool -x --type=10 --name=SETTINGS --raw -o "$SCENARIO_DIR/lf-stored.ini" "$SCENARIO_DIR/lf.exe"
assert_file_is "$SCENARIO_DIR/lf-stored.ini" "$(printf '[Application]\r\nMain Class=com.example.App\r\n[Class Path]\r\nClass Path=app.jar\r')"

# A lower bound without an upper one admits no installed runtime: warned about, refused with --strict.
printf '[Java Runtime Environment]\r\nMinimum Version=17\r\n' >"$SCENARIO_DIR/bounds.ini"
brand_refused 'line 2: "Minimum Version" is set but "Maximum Version" is not' --strict --settings bounds.ini launcher.exe bounds.exe
grep -qF 'add "Maximum Version=any"' "$SCENARIO_DIR/brand.err" || fail "the warning names no fix: $(cat "$SCENARIO_DIR/brand.err")"

# Bad input of every kind.
echo "not a program" >"$SCENARIO_DIR/text.exe"
head -c 1000 "$SCENARIO_DIR/launcher.exe" >"$SCENARIO_DIR/truncated.exe"
head -c 100 "$SCENARIO_DIR/app.png" >"$SCENARIO_DIR/truncated.png"
make_png 32 wide.png 16
make_png 300 large.png
printf '[Application]\r\nMain Class=a\0b\r\n' >"$SCENARIO_DIR/binary.ini"
head -c $((2 * 1024 * 1024 + 1)) /dev/zero | tr '\0' ';' >"$SCENARIO_DIR/huge.ini"
brand_refused "text.exe: not a Windows executable" text.exe out.exe
brand_refused "truncated.exe: not a Windows executable" truncated.exe out.exe
brand_refused "is signed; give --strip-signature" MyApp-signed.exe out.exe
brand_refused "truncated.png: not a usable icon (the picture: PNG cut short)" --icon truncated.png launcher.exe out.exe
brand_refused "wide.png: not a usable icon (the picture is not square)" --icon wide.png launcher.exe out.exe
brand_refused "large.png: not a usable icon (the picture is larger than 256 pixels)" --icon large.png launcher.exe out.exe
brand_refused '"1.2.3" is not a version of four numbers' --file-version 1.2.3 launcher.exe out.exe
brand_refused '"1.2.3.65536" is not a version of four numbers' --product-version 1.2.3.65536 launcher.exe out.exe
# Longer than a version block's 16-bit length can say (a Windows command line cannot carry this much).
brand_refused "the version strings make the version information larger than it can be (65535 bytes)" \
  --comments "$(head -c 40000 /dev/zero | tr '\0' c)" launcher.exe out.exe
brand_refused "binary.ini: is not text" --settings binary.ini launcher.exe out.exe
brand_refused "huge.ini: is too large" --settings huge.ini launcher.exe out.exe
brand_refused "launcher.exe: is the input" launcher.exe launcher.exe
ln -s launcher.exe "$SCENARIO_DIR/link.exe"
brand_refused "link.exe: is the input" launcher.exe link.exe
brand_refused "missing/out.exe: cannot be written" launcher.exe missing/out.exe
BRAND_FILE_LIMIT=16 brand_refused "full.exe: cannot be written (the folder cannot be written, or the disk is full)" \
  launcher.exe full.exe
brand_refused "unknown option --colour" --colour red launcher.exe out.exe
cmp -s "$SCENARIO_DIR/launcher.exe" "$E2E_BRAND_INPUT" || fail "launcher-brand changed its input"

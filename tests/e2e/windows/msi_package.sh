#!/usr/bin/env bash
# A publisher packages a branded launcher (settings written with LF line
# ends), its jar and a private runtime (the stub) with the host build's
# launcher-package: the same inputs give the same zip and installer. The
# installer, run with msiexec /qn, installs for the user alone: the files under
# LocalAppData\Programs, a Start-menu shortcut, an uninstall entry with the
# publisher and the file association; the installed program starts the
# application, and .myd files are registered to open with it, the file its
# argument. A second version upgrades it (one entry, the old files gone, the
# new ones there), and msiexec /x removes every file and key it made. With
# --per-machine the package installs under Program Files, its records in HKLM.
# e2e time limit: 1800 s
# (three packagings, and installs, an upgrade and removals with msiexec)
source "$(dirname "$0")/../lib.sh"
begin_scenario
require_package_tool

cp "$E2E_BRAND_INPUT" "$SCENARIO_DIR/launcher.exe"
mkdir -p "$SCENARIO_DIR/app" "$SCENARIO_DIR/again"
: >"$SCENARIO_DIR/app/app.jar"
install_runtime --java-dll app/jre64
printf '[Class Path]\nClass Path=app.jar\n[Application]\nMain Class=com.example.Main\n' >"$SCENARIO_DIR/app.ini"
brand --settings app.ini launcher.exe MyApp.exe
assert_equals 0 "$BRAND_EXIT" "exit code of launcher-brand"
facts=(--name "My App" --publisher "Example Ltd" --upgrade-code 8d0f1a3e-1b2c-4d5e-8f90-a1b2c3d4e5f6 --associate .myd)
package_application --exe MyApp.exe --files app --version 2.5.0 "${facts[@]}" --zip out/MyApp.zip --msi out/MyApp-2.5.0.msi
assert_equals 0 "$PACKAGE_EXIT" "exit code of launcher-package"
cp -r "$SCENARIO_DIR/app" "$SCENARIO_DIR/MyApp.exe" "$SCENARIO_DIR/again/"
touch "$SCENARIO_DIR/again/app/app.jar"
(cd "$SCENARIO_DIR/again" && "$E2E_HOST_PACKAGE" --exe MyApp.exe --files app --version 2.5.0 "${facts[@]}" \
  --zip MyApp.zip --msi MyApp.msi >/dev/null) || fail "the second packaging failed"
cmp "$SCENARIO_DIR/out/MyApp.zip" "$SCENARIO_DIR/again/MyApp.zip" || fail "the same inputs give another zip"
cmp "$SCENARIO_DIR/out/MyApp-2.5.0.msi" "$SCENARIO_DIR/again/MyApp.msi" || fail "the same inputs give another installer"
python3 - "$SCENARIO_DIR/out/MyApp.zip" "$SCENARIO_DIR" <<'PY' || fail "the zip does not hold the application"
import sys, zipfile
archive = zipfile.ZipFile(sys.argv[1])
assert archive.testzip() is None
names = archive.namelist()
assert names == ["My App/MyApp.exe", "My App/app.jar", "My App/jre64/bin/java.dll", "My App/jre64/bin/server/jvm.dll"], names
assert archive.read("My App/MyApp.exe") == open(sys.argv[2] + "/MyApp.exe", "rb").read()
PY
# A link in the folder is refused, and nothing is written.
ln -s app.jar "$SCENARIO_DIR/app/link.jar"
package_application --exe MyApp.exe --files app --version 2.5.0 "${facts[@]}" --zip refused/MyApp.zip --msi refused/MyApp.msi
assert_equals 2 "$PACKAGE_EXIT" "exit code of launcher-package with a link"
grep -qF "app/link.jar: is a link or a special file" "$SCENARIO_DIR/package.err" || fail "no message: $(cat "$SCENARIO_DIR/package.err")"
[ ! -e "$SCENARIO_DIR/refused" ] || fail "a refused packaging wrote $(ls "$SCENARIO_DIR/refused")"
rm "$SCENARIO_DIR/app/link.jar"
# The whole table read first: grep -q ending the pipe early would fail it under pipefail.
shortcuts=$(msiinfo export "$SCENARIO_DIR/out/MyApp-2.5.0.msi" Shortcut) || fail "msiinfo cannot read the installer"
grep -qP '^StartMenuShortcut\tProgramMenuFolder\tMy App\t' <<<"$shortcuts" ||
  fail "the installer has no Start-menu shortcut: $shortcuts"

msiexec_quiet /i out/MyApp-2.5.0.msi
folder="$(windows_folder LOCALAPPDATA)\\Programs\\My App"
installed=$(unix_path "$folder")
[ -f "$installed/jre64/bin/server/jvm.dll" ] || fail "nothing installed in $installed"
[ -f "$(unix_path "$(windows_folder APPDATA)")/Microsoft/Windows/Start Menu/Programs/My App.lnk" ] ||
  fail "no Start-menu shortcut"
assert_equals "2.5.0 Example Ltd" "$(uninstall_entries "My App")" "the uninstall entry"
LAUNCHER="$folder\\MyApp.exe"
use_stub_log
start_launcher
expect_exit_without_dialog 0
assert_equals "$(quote "$folder\\jre64\\bin\\server\\jvm.dll")" "$(log_field JNI_CreateJavaVM module)" "the JVM library"

# The association: .myd files open with the installed program, the file its argument.
assert_equals "MyApp.myd" "$(registry_value 'HKCU\Software\Classes\.myd' '')" "the class of .myd"
assert_equals "\"$folder\\MyApp.exe\" \"%1\"" \
  "$(registry_value 'HKCU\Software\Classes\MyApp.myd\shell\open\command' '')" "the command that opens .myd files"

# Version 2.6.0: another jar; app.jar is gone.
rm "$SCENARIO_DIR/app/app.jar"
: >"$SCENARIO_DIR/app/app-2.6.jar"
package_application --exe MyApp.exe --files app --version 2.6.0 "${facts[@]}" --msi out/MyApp-2.6.0.msi
assert_equals 0 "$PACKAGE_EXIT" "exit code of launcher-package"
msiexec_quiet /i out/MyApp-2.6.0.msi
assert_equals "2.6.0 Example Ltd" "$(uninstall_entries "My App")" "the uninstall entry after the upgrade"
[ -f "$installed/app-2.6.jar" ] && [ ! -e "$installed/app.jar" ] || fail "the upgrade left $(ls "$installed")"

msiexec_quiet /x out/MyApp-2.6.0.msi
[ ! -e "$installed" ] || fail "the removal left $(find "$installed")"
assert_equals "" "$(uninstall_entries "My App")" "the uninstall entries after the removal"
for key in 'HKCU\Software\Example Ltd\My App' 'HKCU\Software\Classes\.myd' 'HKCU\Software\Classes\MyApp.myd'; do
  ! "$E2E_WINE" reg query "$key" </dev/null >/dev/null 2>&1 || fail "the removal left $key"
done
[ ! -e "$(unix_path "$(windows_folder APPDATA)")/Microsoft/Windows/Start Menu/Programs/My App.lnk" ] ||
  fail "the removal left the shortcut"

# Per machine: the files under Program Files, the records under HKLM.
package_application --exe MyApp.exe --files app --version 2.6.0 "${facts[@]}" --per-machine --msi out/machine.msi
assert_equals 0 "$PACKAGE_EXIT" "exit code of launcher-package --per-machine"
msiexec_quiet /i out/machine.msi
machine=$(unix_path "$(windows_folder ProgramFiles)\\My App")
[ -f "$machine/MyApp.exe" ] || fail "nothing installed in $machine"
assert_equals 0x1 "$(registry_value 'HKLM\Software\Example Ltd\My App' 'folder .')" "the per-machine record"
msiexec_quiet /x out/machine.msi
[ ! -e "$machine" ] || fail "the removal left $(find "$machine")"

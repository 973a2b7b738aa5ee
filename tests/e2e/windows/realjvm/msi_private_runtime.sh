#!/usr/bin/env bash
# The real JVM as the private runtime of an installed application: the
# package launcher-package makes installs for the user, and the installed
# program starts the probe on the runtime beside it (main gets the
# arguments; System.exit's code is the exit code); msiexec /x removes it all.
source "$(dirname "$0")/../../lib.sh"
source "$(dirname "$0")/../../lib/java_probe.sh"
begin_scenario
require_package_tool

cp "$E2E_BRAND_INPUT" "$SCENARIO_DIR/launcher.exe"
mkdir -p "$SCENARIO_DIR/app"
cp "$E2E_PROBE_JAR" "$SCENARIO_DIR/app/probe.jar"
install_runtime --java-dll --library "$E2E_AVIAN_JVM" app/jre64
printf '[Application]\nMain Class=probe.Probe\n[Class Path]\nClass Path=probe.jar\n' >"$SCENARIO_DIR/probe.ini"
brand --settings probe.ini launcher.exe ProbeApp.exe
assert_equals 0 "$BRAND_EXIT" "exit code of launcher-brand"
package_application --exe ProbeApp.exe --files app --name "Probe App" --version 1.0.0 --publisher "Example Ltd" \
  --upgrade-code '{5A4E0C8B-77D1-4E0B-9A57-2F1C3D9B6E21}' --msi probe.msi
assert_equals 0 "$PACKAGE_EXIT" "exit code of launcher-package"

msiexec_quiet /i probe.msi
folder="$(windows_folder LOCALAPPDATA)\\Programs\\Probe App"
LAUNCHER="$folder\\ProbeApp.exe"
start_launcher arguments "a b"
expect_exit_without_dialog 0
assert_lines_are "$SCENARIO_DIR/stdout.txt" "count 2
argument 0:$(code_units arguments)
argument 1:$(code_units "a b")"
start_launcher exit 7
expect_exit_without_dialog 7

msiexec_quiet /x probe.msi
[ ! -e "$(unix_path "$folder")" ] || fail "the removal left $(find "$(unix_path "$folder")")"

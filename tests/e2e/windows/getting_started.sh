#!/usr/bin/env bash
# Every sh block of docs/getting-started.md, run in order in one shell from a
# clone of this repository, as a publisher would paste them; a failing
# command fails the scenario. Three commands get a stand-in: the release
# build takes the binaries of this test build (tests/e2e/linux/release_build.sh
# runs scripts/release.sh), the Windows JDK's download is a zip of the
# build machine's own JDK 17 java.base.jmod (all the page's application needs), and signing leaves out the timestamp
# server; the page says so where it shows them. Then what the page promises
# is checked: LF settings stored with CR LF ends, a signature that verifies,
# a jlink'd runtime, and a zip and an installer holding the application.
# e2e time limit: 1800 s
# (the page's whole tool chain: a clone, javac, jlink, signing and packaging)
source "$(dirname "$0")/../lib.sh"
begin_scenario
require_package_tool
require_variables E2E_HOST_BRAND E2E_BRAND_INPUT

page="$(dirname "$0")/../../../docs/getting-started.md"
repository=$(git -C "$(dirname "$page")" rev-parse --show-toplevel) || fail "no repository around $page"
jdk=$(dirname "$(dirname "$(readlink -f "$(command -v javac)")")")

# The page's sh blocks, continued lines joined, with the stand-ins.
awk '/^```sh$/ { inside = 1; next } /^```$/ { inside = 0 } inside' "$page" |
  sed -e ':joined' -e '/\\$/ { N; s/\\\n */ /; b joined }' >"$SCENARIO_DIR/page-commands.sh"
[ "$(grep -c . "$SCENARIO_DIR/page-commands.sh")" -gt 20 ] || fail "no commands found in $page"
stand_in() {
  local pattern=$1 replacement=$2
  grep -qE "$pattern" "$SCENARIO_DIR/page-commands.sh" || fail "the page no longer has a command matching [$pattern]"
  REPLACEMENT=$replacement perl -pi -e "s{$pattern}{\$ENV{REPLACEMENT}}" "$SCENARIO_DIR/page-commands.sh"
}
stand_in '^bash scripts/release\.sh$' \
  'mkdir -p dist && cp "$E2E_BRAND_INPUT" dist/launcher.exe && cp "$E2E_HOST_BRAND" "$E2E_HOST_PACKAGE" dist/'
stand_in '^curl .* -o windows-jdk\.zip .*$' \
  "mkdir -p jdk-fixture/jdk-17/jmods && cp '$jdk/jmods/java.base.jmod' jdk-fixture/jdk-17/jmods/ &&
   (cd jdk-fixture && zip -q0r ../windows-jdk.zip jdk-17)"
stand_in ' -ts http://timestamp\.digicert\.com' ''

(cd "$SCENARIO_DIR" && LAUNCHER_REPOSITORY=$repository E2E_BRAND_INPUT=$E2E_BRAND_INPUT \
  E2E_HOST_BRAND=$E2E_HOST_BRAND E2E_HOST_PACKAGE=$E2E_HOST_PACKAGE \
  bash -euo pipefail -x page-commands.sh) >"$SCENARIO_DIR/page.out" 2>"$SCENARIO_DIR/page.err" ||
  fail "a command of the page failed: $(tail -n 15 "$SCENARIO_DIR/page.err")"

clone="$SCENARIO_DIR/launcher"
grep -qF 'launcher-brand: myapp.ini: lines ending in LF alone are stored ending in CR LF' "$SCENARIO_DIR/page.err" ||
  fail "branding did not say that it stored CR LF line ends"
# Each check reads its tool's whole output: grep -q ending a pipe early would fail it under pipefail.
first_line=$(wrestool -x --type=10 --name=SETTINGS --raw "$clone/out/MyApp.exe" | sed -n 1p)
[ "$first_line" = $'[Java Runtime Environment]\r' ] || fail "the built-in settings do not end their lines in CR LF"
grep -qx 'Message digest algorithm  : SHA256' "$SCENARIO_DIR/page.out" && grep -qx 'Succeeded' "$SCENARIO_DIR/page.out" ||
  fail "the signature did not verify: $(cat "$SCENARIO_DIR/page.out")"
grep -qx 'JAVA_VERSION="17.*"' "$clone/app/jre64/release" || fail "jlink made no runtime of Java 17"
names=$(unzip -Z1 "$clone/out/MyApp-2.5.0.zip") || fail "unzip cannot list the zip"
grep -qx 'My App/MyApp\.exe' <<<"$names" || fail "the zip lacks the program"
grep -qx 'My App/jre64/release' <<<"$names" || fail "the zip lacks the runtime"
unzip -p "$clone/out/MyApp-2.5.0.zip" "My App/MyApp.exe" | cmp - "$clone/out/MyApp.exe" || fail "the zip's program is not the signed one"
files=$(msiinfo export "$clone/out/MyApp-2.5.0.msi" File) || fail "msiinfo cannot read the installer"
grep -qP '\tmyapp\.jar\t' <<<"$files" || fail "the installer lacks myapp.jar"

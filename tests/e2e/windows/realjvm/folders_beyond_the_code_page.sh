#!/usr/bin/env bash
# An application installed in a folder whose name the ANSI code page (1252
# here) cannot write starts on the real JVM, which takes its options in that
# code page: the jars a wildcard finds, the library path and the executable
# read as a jar reach it by their short names, never with "?" in them; a
# private runtime in such a folder is loaded by its short name; arguments in
# several scripts arrive whole; per-user files in a folder of such a name are
# read.
source "$(dirname "$0")/../../lib.sh"
source "$(dirname "$0")/../../lib/java_probe.sh"
begin_scenario
use_trace

folder="Über App 日本 Ω"
app="$SCENARIO_DIR/$folder"
install_launcher "$folder/launcher.exe"
mkdir -p "$app/lib" "$app/native"
cp "$E2E_PROBE_JAR" "$app/lib/probe.jar" || fail "cannot copy probe.jar"
install_runtime --library "$E2E_AVIAN_JVM" jre

# UTF-8 settings with a byte-order mark, so that the names are read as written.
unicode_settings() {
  { printf '\xEF\xBB\xBF'; cat; } | write_settings
}

# The option's value the probe printed: short names where the code page
# lacks characters, nothing it had to replace.
assert_carried() {
  local line
  line=$(grep "^$1=" "$SCENARIO_DIR/stdout.txt") || fail "the probe printed no $1: $(cat "$SCENARIO_DIR/stdout.txt")"
  [[ $line != *'?'* && $line == *'~'* ]] || fail "$1 did not arrive by its short names: [$line]"
}

log "a wildcard class path and the library path in such a folder"
unicode_settings <<INI
[Application]
Main Class=probe.Probe
[Class Path]
Class Path=lib\\*.jar
[Java Runtime Environment]
JRE Path=$(probe_runtime)
Library Path=native
INI
start_launcher environment
expect_exit_without_dialog 0
assert_carried java.class.path
assert_carried java.library.path
trace_lines jvm-path | grep -q 'form=short-name' || fail "the trace tells of no short name: $(trace_lines jvm-path)"
# The runtime's own DLLs first: its bin right after the launcher's folder, ahead of the system's.
in_trace() { printf '"%s"' "$(sed 's/\\/\\\\/g' <<<"$1")"; }
search_start="runtime-library-search runtime-folder-first=yes folder-1=$(in_trace "$(win_path "$app")")"
search_start+=" folder-2=$(in_trace "$(win_path "$SCENARIO_DIR/jre/bin")") folder-3=$(in_trace 'C:\windows\system32')"
[[ $(trace_lines runtime-library-search) == "$search_start "* ]] ||
  fail "the library search is not [$search_start ...]: $(trace_lines runtime-library-search)"

arguments=("Grüße" "日本語のテキスト" "Ωμέγα λ" "Привет, мир" "😀 emoji")
start_launcher arguments "${arguments[@]}"
expect_exit_without_dialog 0
assert_stdout_has "count 6"
for i in "${!arguments[@]}"; do
  assert_stdout_has "argument $((i + 1)):$(code_units "${arguments[$i]}")"
done

log "the executable itself as the jar"
embed_classes "$app/lib/probe.jar"
rm -r "$app/lib"
unicode_settings <<INI
[Application]
Main Class=probe.Probe
Embedded Jar=Yes
[Java Runtime Environment]
JRE Path=$(probe_runtime)
INI
start_launcher environment
expect_exit_without_dialog 0
assert_carried java.class.path

log "a private runtime in such a folder"
rm -f "$(settings_path_of "$LAUNCHER")"
mv "$SCENARIO_DIR/jre" "$app/jre64"
mkdir -p "$app/jre64/bin" && : >"$app/jre64/bin/java.dll"
unicode_settings <<INI
[Application]
Main Class=probe.Probe
Embedded Jar=Yes
INI
start_launcher arguments "Über"
expect_exit_without_dialog 0
assert_stdout_has "argument 1:$(code_units "Über")"
trace_lines jvm-path | grep -q 'jvm.dll" form=short-name' ||
  fail "the JVM library was not loaded by its short name: $(trace_lines jvm-path)"

log "per-user files in a folder of such a name"
# The runtime in the user's own data folder, named by the per-user file: a user
# name outside the code page puts both there.
profile="$SCENARIO_DIR/Пользователь Ω"
mkdir -p "$profile/Roaming/Launcher Tests/unicode" "$profile/Local"
mv "$app/jre64" "$profile/Local/Среда Java"
# Wine gives every process the APPDATA of the prefix's registry: it is
# changed there for this scenario and put back at its end.
old_appdata=$("$E2E_WINE" reg query 'HKCU\Volatile Environment' /v APPDATA </dev/null 2>/dev/null |
  tr -d '\r' | sed -n 's/^ *APPDATA *REG_SZ *//p')
[ -n "$old_appdata" ] || fail "cannot read the prefix's APPDATA"
UNDO_COMMANDS+=("\"\$E2E_WINE\" reg add 'HKCU\\Volatile Environment' /v APPDATA /d '$old_appdata' /f </dev/null >/dev/null 2>&1")
reg_add 'HKCU\Volatile Environment' APPDATA "$(win_path "$profile/Roaming")"
{ printf '\xEF\xBB\xBF'; printf '[Java Runtime Environment]\r\nJRE Path=%s\r\n' "$(win_path "$profile/Local/Среда Java")"; } \
  >"$profile/Roaming/Launcher Tests/unicode/launcher.ini"
unicode_settings <<INI
[Product Information]
Product Name=Launcher Tests
Product Code=unicode
[Application]
Main Class=probe.Probe
Embedded Jar=Yes
INI
: >"$TRACE_FILE"
start_launcher arguments "日本"
expect_exit_without_dialog 0
assert_stdout_has "argument 1:$(code_units "日本")"
trace_lines per-user-file | grep -q 'found=yes' || fail "the per-user file was not read: $(trace_lines per-user-file)"
trace_lines jvm-path | grep -q 'jvm.dll" form=short-name' ||
  fail "the JVM library was not loaded by its short name: $(trace_lines jvm-path)"

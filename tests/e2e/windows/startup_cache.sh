#!/usr/bin/env bash
# "Start-up Cache=Yes" on a runtime whose release file says Java 17, then 25.
# The stub runtime builds no archive, so this checks what the launcher does
# around it: the first start records its classes; once it has ended, a copy
# of the launcher runs the runtime's java.exe (the companion recorder) with
# the build's arguments, and, as no archive comes of it, leaves a failure
# marker that keeps later starts from recording again; an archive in place
# that matches its stamp is handed to the runtime with the options that keep
# it quiet.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
require_variables E2E_COMPANION_RECORDER
cp "$E2E_COMPANION_RECORDER" "$SCENARIO_DIR/jre/bin/java.exe" || fail "cannot copy the companion recorder"
export COMPANION_LOG
COMPANION_LOG=$(win_path "$SCENARIO_DIR/java.log")
local_app_data=$("$E2E_WINE" winepath -u "$("$E2E_WINE" cmd /c 'echo %LOCALAPPDATA%' </dev/null 2>/dev/null | tr -d '\r')" 2>/dev/null)
[ -d "$local_app_data" ] || fail "no LOCALAPPDATA folder in the prefix: [$local_app_data]"
cache="$local_app_data/Cache Scenario/7/StartupCache"
rm -rf "$local_app_data/Cache Scenario"
app_jar=$(win_path "$SCENARIO_DIR/app.jar")

write_settings <<INI
[Product Information]
Product Name=Cache Scenario
Product Code=7
[Java Runtime Environment]
JRE Path=$(win_path "$SCENARIO_DIR/jre")
Start-up Cache=yes
Virtual Machine Parameters=-Xmx64m -Dkept=out
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
INI

# The option texts of the stub's log, unquoted.
options() { log_events option | sed -E 's/^option index=[0-9]+ text="(([^"\\]|\\.)*)".*/\1/; s/\\\\/\\/g'; }

# The file of the cache folder that a Windows path of the options names.
in_cache() { printf '%s/%s' "$cache" "${1##*\\}"; }

wait_for() {
  local deadline=$((SECONDS + 60))
  until compgen -G "$1" >/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "nothing like $1 appeared"
    sleep 0.2
  done
}

# record_and_build SUFFIX: a first start records its classes; its build runs
# java.exe and leaves the failure marker. Sets CLASS_LIST and MARKER.
record_and_build() {
  use_stub_log
  export STUB_JVM_MAIN_WAIT_FILE
  STUB_JVM_MAIN_WAIT_FILE=$(win_path "$SCENARIO_DIR/go")
  rm -f "$SCENARIO_DIR/go"
  start_launcher
  local deadline=$((SECONDS + 30))
  until grep -q '^main-waiting' "$STUB_LOG"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "main did not start"
    sleep 0.1
  done
  CLASS_LIST=$(options | sed -n 's/^-XX:DumpLoadedClassList=//p')
  [[ $CLASS_LIST == *.classlist ]] || fail "no class list among the options: $(options)"
  [ "$(options | tail -n 3 | head -n 1)" = "-XX:DumpLoadedClassList=$CLASS_LIST" ] ||
    fail "the class list is not the last option before the hooks: $(options)"
  # What the runtime would record while the application runs.
  printf 'java/lang/Object id: 0\r\n' >"$(in_cache "$CLASS_LIST")"
  : >"$SCENARIO_DIR/go"
  expect_exit_without_dialog 0
  unset STUB_JVM_MAIN_WAIT_FILE
  wait_for "$cache/*.failed"
  MARKER=$(compgen -G "$cache/*.failed")
  # Counted before java runs; java ending on its own without an archive is final.
  wait_until "the build's ending in $MARKER" grep -qF "[build 1 of 3 ended: exit code 0, refused by the runtime, given up]" "$MARKER"
  [ "$(head -n 1 "$MARKER")" = "attempts 1 final" ] || fail "the marker does not say the build is final: $(cat "$MARKER")"
  [ -z "$(find "$cache" -name '*.classlist' -o -name '*.job' -o -name '*.out' -o -name '*.tmp')" ] ||
    fail "working files are left: $(ls "$cache")"
  [[ ${CLASS_LIST##*\\} == "$(basename "$MARKER" .failed)"-*.classlist ]] ||
    fail "the marker $MARKER does not belong to $CLASS_LIST"
}

# The build's command line, as java.exe got it (arguments with spaces quoted),
# and its current folder, the cache folder.
expected_build() {
  local temporary=${CLASS_LIST%.classlist}.tmp
  printf 'companion commandLine=%s currentDirectory=%s' \
    "$(quote "$(win_path "$SCENARIO_DIR/jre/bin/java.exe") -server -Xshare:dump \"-XX:SharedClassListFile=$CLASS_LIST\" \"-XX:SharedArchiveFile=$temporary\" $1-Xmx64m -cp $app_jar")" \
    "$(quote "${CLASS_LIST%\\*}")"
}

# use_archive SUFFIX OPTIONS...: an archive in place of the marker is used with these options.
use_archive() {
  local archive="${MARKER%.failed}.$1" archive_win
  shift
  rm -f "$MARKER"
  # As a build leaves it: the archive and its stamp (size, time in nanoseconds).
  printf 'archive' >"$archive"
  touch -d @1700000000 "$archive"
  printf '7 1700000000000000000\n' >"${archive%.*}.stamp"
  use_stub_log
  start_launcher
  expect_exit_without_dialog 0
  archive_win="${CLASS_LIST%\\*}\\$(basename "$archive")"
  local expected=("${@/\{\}/$archive_win}")
  [ "$(options | tail -n $(($# + 2)) | head -n $#)" = "$(printf '%s\n' "${expected[@]}")" ] ||
    fail "expected the options [${expected[*]}] last before the hooks, got: $(options)"
  rm -f "$archive" "${archive%.*}.stamp"
}

printf 'JAVA_VERSION="17.0.2"\n' >"$SCENARIO_DIR/jre/release"
record_and_build
assert_file_is "$SCENARIO_DIR/java.log" "$(expected_build "")"
[[ $CLASS_LIST == *'\AppData\Local\Cache Scenario\7\StartupCache\'* ]] || fail "class list outside the cache: $CLASS_LIST"

# The build failed: the next start neither records nor builds.
use_stub_log
start_launcher
expect_exit_without_dialog 0
assert_log_lacks "DumpLoadedClassList"
assert_log_lacks "SharedArchiveFile"
assert_equals 1 "$(wc -l <"$SCENARIO_DIR/java.log")" "builds run"

use_archive jsa "-XX:SharedArchiveFile={}" "-Xlog:cds*=off" "-Xlog:cds*=off:stderr"

# Java 25: another archive, built with ahead-of-time linking and used as an AOT cache.
printf 'JVM_VARIANT="Hotspot"\r\nJAVA_VERSION="25.0.1"\r\n' >"$SCENARIO_DIR/jre/release"
: >"$SCENARIO_DIR/java.log"
record_and_build
assert_file_is "$SCENARIO_DIR/java.log" "$(expected_build "-XX:+AOTClassLinking ")"
use_archive aot "-XX:AOTCache={}" "-Xlog:cds*=off" "-Xlog:cds*=off:stderr" \
  "-Xlog:aot*=off" "-Xlog:aot*=off:stderr"

rm -rf "$local_app_data/Cache Scenario"

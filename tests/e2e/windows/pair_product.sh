#!/usr/bin/env bash
# When the only runtime is a 32-bit one (registered in the 32-bit view) and a
# "Pair Product" is configured, the launcher loads nothing itself: it starts the
# companion with its own command line, unchanged, in its current folder. Without
# "Pair Return Code" it ends with 0 at once; with it, it passes the companion's
# exit code back. A companion that cannot be started is reported with its path
# and the system's error code, and the launcher ends with -1.
source "$(dirname "$0")/../lib.sh"
begin_scenario
require_variables E2E_JVM_I686 E2E_COMPANION_RECORDER

install_launcher launcher.exe
: >"$SCENARIO_DIR/app.jar"
install_runtime --library "$E2E_JVM_I686" jre32
register_runtime --32 1.8 jre32
cp "$E2E_COMPANION_RECORDER" "$SCENARIO_DIR/companion.exe" || fail "cannot copy the companion"
export COMPANION_LOG COMPANION_EXIT_CODE=5
COMPANION_LOG=$(win_path "$SCENARIO_DIR/companion.log")

# run_with SETTING...: the settings with these [Application] lines; the
# companion's log emptied.
run_with() {
  : >"$SCENARIO_DIR/companion.log"
  {
    printf '[Java Runtime Environment]\nMaximum Version=any\n[Class Path]\nClass Path=app.jar\n'
    printf '[Application]\nMain Class=com.example.Main\n'
    printf '%s\n' "$@"
  } | write_settings
}

assert_companion_started_with() {
  assert_file_is "$SCENARIO_DIR/companion.log" \
    "companion commandLine=$(quote "$1") currentDirectory=$(quote "$(win_path "$SCENARIO_DIR")")"
}

# Not waited for: the launcher ends while the companion waits for its file,
# which comes only after.
COMPANION_WAIT_FILE=$(win_path "$SCENARIO_DIR/release-companion")
export COMPANION_WAIT_FILE
run_with "Pair Product=companion.exe"
start_launcher plain
expect_exit_without_dialog 0
# The companion writes its record in its own time, which may come after the end.
wait_until "the companion's record" test -s "$SCENARIO_DIR/companion.log"
assert_companion_started_with "\"$LAUNCHER_WIN\" plain"
: >"$SCENARIO_DIR/release-companion"
unset COMPANION_WAIT_FILE

run_with "Pair Product=companion.exe" "Pair Return Code=yes"
start_launcher "two words" "" plain
expect_exit_without_dialog 5
assert_companion_started_with "\"$LAUNCHER_WIN\" \"two words\" \"\" plain"

run_with "Pair Product=missing.exe" "Pair Return Code=yes"
start_launcher
expect_dialog
assert_control_text 65535 "Failed to start the pair product $(win_path "$SCENARIO_DIR/missing.exe") (errno = 2)."$'\n'
press_button 1
expect_exit 255
assert_file_is "$SCENARIO_DIR/companion.log" ""

#!/usr/bin/env bash
# A console launcher with no runtime to be found, in a console: after the
# "JRE Not Found" text it asks for a runtime folder on the console. A folder
# without a JVM library is asked for again; an empty answer cancels (-1). The
# folder taken runs the application at once and is remembered for the next
# start, which asks nothing.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/per_user_settings.sh"
begin_scenario
# Wine's console on a pseudo-terminal now and then loses a typed Enter, and
# the launcher then waits for an answer until the time runs out: on a busy
# machine often enough to fail a test run. Run by hand with
# E2E_CONSOLE_TERMINAL=1.
if [ "${E2E_CONSOLE_TERMINAL:-}" != 1 ]; then
  log "Wine's terminal console loses typed keys under load: skipped unless E2E_CONSOLE_TERMINAL=1"
  exit 77
fi
use_per_user_settings
command -v script >/dev/null || fail "script (util-linux) is not installed"

install_console_launcher
install_runtime "chosen jre"
mkdir -p "$SCENARIO_DIR/no jre/bin"
: >"$SCENARIO_DIR/app.jar"
write_runtime_not_found_settings
use_stub_log

# answer_in_console ANSWER...: runs the launcher in a console that Wine makes
# on a terminal and types each answer once its question shows (typed ahead,
# the terminal would change the Enter key before Wine takes the terminal
# over); the transcript, without the terminal's control sequences, goes to
# transcript.txt, the exit code to CONSOLE_EXIT.
answer_in_console() {
  local keys="$SCENARIO_DIR/keys" asked=0 typing
  rm -f "$keys"
  mkfifo "$keys" || fail "cannot make $keys"
  (cd "$SCENARIO_DIR" && exec timeout 60 script -qfec "$(printf '%q %q' "$E2E_WINE" "$LAUNCHER")" /dev/null \
    <"$keys" >"$SCENARIO_DIR/terminal.txt" 2>&1) &
  LAUNCHER_PID=$!
  exec {typing}>"$keys"
  for answer in "$@"; do
    asked=$((asked + 1))
    until [ "$(prompts "$SCENARIO_DIR/terminal.txt")" -ge "$asked" ]; do
      launcher_running || fail "the launcher ended before question $asked"
      sleep 0.05
    done
    printf '%s\r' "$answer" >&"$typing"
  done
  wait "$LAUNCHER_PID"
  CONSOLE_EXIT=$?
  LAUNCHER_PID=
  exec {typing}>&-
  sed 's/\x1b\[[0-9;?]*[a-zA-Z]//g' "$SCENARIO_DIR/terminal.txt" | tr -d '\r' >"$SCENARIO_DIR/transcript.txt"
  log "in the console (exit $CONSOLE_EXIT):"
  cat "$SCENARIO_DIR/transcript.txt"
}

# prompts FILE: how many questions the file shows.
prompts() { grep -o 'Browse for JRE folder:' "$1" 2>/dev/null | wc -l; }

answer_in_console ""
assert_equals 255 "$CONSOLE_EXIT" "exit code after an empty answer"
grep -qF "The Java Runtime Environment (JRE) was not found." "$SCENARIO_DIR/transcript.txt" ||
  fail "the console did not show the message"
grep -qxF "https://adoptium.net/" "$SCENARIO_DIR/transcript.txt" || fail "the console did not show the address"
assert_equals 1 "$(prompts "$SCENARIO_DIR/transcript.txt")" "questions asked"
assert_log_lacks "JNI_CreateJavaVM"

answer_in_console "no jre" "chosen jre"
assert_equals 0 "$CONSOLE_EXIT" "exit code after a runtime was chosen"
assert_equals 2 "$(prompts "$SCENARIO_DIR/transcript.txt")" "questions asked"
assert_jvm_created_from "chosen jre"

: >"$STUB_LOG"
start_launcher
expect_exit_without_dialog 0
assert_stderr_is ""
assert_jvm_created_from "chosen jre"

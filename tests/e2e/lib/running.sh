# Running the launcher in the background and waiting for how it ends.

LAUNCHER_PID=
LAUNCHER_EXIT=
: "${E2E_EXIT_TIMEOUT:=20}"

# What the launcher reads on standard input: nothing unless a scenario names a file.
LAUNCHER_INPUT=/dev/null

# The streams of the last start are emptied before the next one begins: the
# background start opens them only once it runs, and a wait for its output
# must not find the last start's.
clear_launcher_output() { : >"$SCENARIO_DIR/stdout.txt" && : >"$SCENARIO_DIR/stderr.txt"; }

# Starts the launcher in the background, in the scenario folder, with the
# arguments; its output goes to stdout.txt and stderr.txt there.
start_launcher() {
  [ -n "$LAUNCHER" ] || fail "start_launcher: install_launcher first"
  local runner=()
  [ "$E2E_PLATFORM" = windows ] && runner=("$E2E_WINE")
  clear_launcher_output
  (cd "$SCENARIO_DIR" && exec "${runner[@]}" "$LAUNCHER" "$@") \
    <"$LAUNCHER_INPUT" >"$SCENARIO_DIR/stdout.txt" 2>"$SCENARIO_DIR/stderr.txt" &
  LAUNCHER_PID=$!
  LAUNCHER_EXIT=
  log "started ${LAUNCHER#"$SCENARIO_DIR"/}${*:+ $*} (pid $LAUNCHER_PID)"
}

# Starts the launcher as start_launcher does, through console_control in a
# console of its own (windows); press_ctrl_c then sends that console Ctrl+C,
# as a user's keys do. The exit code is the launcher's.
CONSOLE_EVENT_FILE=
start_launcher_in_console() {
  require_variables E2E_CONSOLE_CONTROL
  CONSOLE_EVENT_FILE="$SCENARIO_DIR/send-console-event"
  rm -f "$CONSOLE_EVENT_FILE"
  clear_launcher_output
  (cd "$SCENARIO_DIR" &&
    exec "$E2E_WINE" "$E2E_CONSOLE_CONTROL" "$(win_path "$CONSOLE_EVENT_FILE")" "$LAUNCHER_WIN" "$@") \
    </dev/null >"$SCENARIO_DIR/stdout.txt" 2>"$SCENARIO_DIR/stderr.txt" &
  LAUNCHER_PID=$!
  LAUNCHER_EXIT=
  log "started ${LAUNCHER#"$SCENARIO_DIR"/}${*:+ $*} in a console (pid $LAUNCHER_PID)"
}

press_ctrl_c() {
  : >"$CONSOLE_EVENT_FILE"
  log "pressed Ctrl+C"
}

# Starts the launcher (windows) alone on a console of its own, as Explorer
# starts a console program, through console_control --alone; with --shell,
# through cmd /c on that console, as from a command prompt. What the console
# shows goes to console.txt; type_in_console types there.
CONSOLE_SCREEN=
start_launcher_alone_on_console() {
  require_variables E2E_CONSOLE_CONTROL
  local runner=("$LAUNCHER_WIN")
  if [ "${1:-}" = --shell ]; then
    runner=(cmd /c "$LAUNCHER_WIN")
    shift
  fi
  CONSOLE_SCREEN="$SCENARIO_DIR/console.txt"
  rm -f "$CONSOLE_SCREEN" "$CONSOLE_SCREEN.keys"
  clear_launcher_output
  (cd "$SCENARIO_DIR" && exec "$E2E_WINE" "$E2E_CONSOLE_CONTROL" --alone "$(win_path "$CONSOLE_SCREEN")" \
    "${runner[@]}" "$@") </dev/null >"$SCENARIO_DIR/stdout.txt" 2>"$SCENARIO_DIR/stderr.txt" &
  LAUNCHER_PID=$!
  LAUNCHER_EXIT=
  log "started ${runner[*]}${*:+ $*} alone on a console (pid $LAUNCHER_PID)"
}

console_shows() { grep -qF -- "$1" "$CONSOLE_SCREEN"; }

# Waits until the console shows TEXT.
wait_for_console_text() {
  wait_until "the console text [$1]" console_shows "$1"
  log "the console shows [$1]"
}

# Types TEXT into the console (a line feed is Enter), once the last text typed was taken.
type_in_console() {
  wait_until "the console's taking the keys typed before" test ! -e "$CONSOLE_SCREEN.keys"
  printf '%s' "$1" >"$CONSOLE_SCREEN.keys.new" && mv "$CONSOLE_SCREEN.keys.new" "$CONSOLE_SCREEN.keys"
  log "typed [$1]"
}

launcher_running() { [ -n "$LAUNCHER_PID" ] && kill -0 "$LAUNCHER_PID" 2>/dev/null; }

# Collects the exit code into LAUNCHER_EXIT once the launcher has ended.
collect_exit() {
  wait "$LAUNCHER_PID"
  LAUNCHER_EXIT=$?
  LAUNCHER_PID=
  log "the launcher ended with $LAUNCHER_EXIT"
}

# Waits for the launcher to end (at most E2E_EXIT_TIMEOUT or the given seconds)
# and checks its exit code; one that does not end is killed and fails the scenario.
expect_exit() {
  local expected=$1 limit=${2:-$E2E_EXIT_TIMEOUT}
  local deadline=$((SECONDS + limit))
  while launcher_running; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      [ "$E2E_PLATFORM" = windows ] && show_open_dialogs
      fail "the launcher did not end within $limit s"
    fi
    sleep 0.05
  done
  collect_exit
  assert_equals "$expected" "$LAUNCHER_EXIT" "exit code of the launcher"
}

# wait_for_output_line STREAM TEXT: waits, while the launcher runs, until it
# has written the line TEXT to STREAM (stdout or stderr), ended by a line feed
# or a carriage return and line feed.
wait_for_output_line() {
  local file="$SCENARIO_DIR/$1.txt" text=$2 deadline=$((SECONDS + E2E_EXIT_TIMEOUT))
  until sed 's/\r$//' "$file" 2>/dev/null | grep -qxF -- "$text"; do
    launcher_running || fail "the launcher ended before it wrote [$text] to $1"
    [ "$SECONDS" -lt "$deadline" ] || fail "the launcher did not write [$text] to $1 within $E2E_EXIT_TIMEOUT s"
    sleep 0.05
  done
}

# wait_until WHAT COMMAND...: waits (at most E2E_EXIT_TIMEOUT) until COMMAND
# succeeds; WHAT names the awaited event in the failure.
wait_until() {
  local what=$1 deadline=$((SECONDS + E2E_EXIT_TIMEOUT))
  shift
  until "$@" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "$what did not happen within $E2E_EXIT_TIMEOUT s"
    sleep 0.05
  done
}

# What the launcher wrote, shown when a scenario fails.
show_launcher_output() {
  local stream
  for stream in stdout stderr; do
    if [ -s "$SCENARIO_DIR/$stream.txt" ]; then
      log "the launcher's $stream:"
      cat "$SCENARIO_DIR/$stream.txt"
    fi
  done
}

# A scenario's life: its folder, made empty at the start and removed at the end
# when it passed, how it reports and fails, and the clean-up that runs on exit
# whatever the outcome.

SCENARIO_NAME=$(basename "$0" .sh)

# The launcher reads these from its environment: a scenario sets the ones it
# means (a runtime of last resort on Linux, the trace file), none comes from
# the caller.
unset JAVA_HOME QX_LAUNCHER_TRACE
SCENARIO_DIR=
# Further processes a scenario started in the background, ended on exit.
BACKGROUND_PIDS=()
# Commands that undo what a scenario changed outside its folder, run on exit.
UNDO_COMMANDS=()

log() { printf 'e2e: %s\n' "$*"; }

fail() {
  printf 'FAILED %s: %s\n' "$SCENARIO_NAME" "$*" >&2
  exit 1
}

require_variables() {
  local name
  for name in "$@"; do
    [ -n "${!name:-}" ] || fail "$name is not set (run the scenarios through ctest, in a Wine session on Windows)"
  done
}

# Makes the scenario's folder, empty, and arranges the clean-up.
begin_scenario() {
  require_variables E2E_PLATFORM E2E_LAUNCHER E2E_WORK_DIR
  if [ "$E2E_PLATFORM" = windows ]; then
    require_variables E2E_UI_DRIVER E2E_WINE DISPLAY WINEPREFIX
  fi
  SCENARIO_DIR="$E2E_WORK_DIR/$SCENARIO_NAME"
  rm -rf "$SCENARIO_DIR"
  mkdir -p "$SCENARIO_DIR" || fail "cannot make $SCENARIO_DIR"
  SCENARIO_DIR=$(cd "$SCENARIO_DIR" && pwd)
  trap end_scenario EXIT
  trap 'exit 130' INT TERM
  log "scenario $SCENARIO_NAME in $SCENARIO_DIR"
}

end_scenario() {
  local status=$?
  stop_process WATCHER_PID
  stop_process LAUNCHER_PID
  local background undo
  for background in "${BACKGROUND_PIDS[@]}"; do stop_process background; done
  for undo in "${UNDO_COMMANDS[@]}"; do eval "$undo"; done
  delete_created_keys
  if [ "$status" -ne 0 ]; then
    show_launcher_output
    log "kept the scenario folder $SCENARIO_DIR"
  elif [ "${E2E_KEEP:-0}" = 1 ]; then
    log "passed; kept the scenario folder $SCENARIO_DIR"
  else
    rm -rf "$SCENARIO_DIR"
    log "passed"
  fi
  exit "$status"
}

# Ends a background process named by the variable, if it still runs.
stop_process() {
  local -n pid=$1
  if [ -n "$pid" ]; then
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=
  fi
}

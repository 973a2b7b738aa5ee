# Single-instance scenarios: a first instance whose main waits until the
# scenario lets it go, and second instances of the same launcher started
# beside it, each in the foreground or the background. Sourced after lib.sh
# (and lib/java_probe.sh for the probe's applications).

GO_FILE=
declare -A SECOND_PIDS=()
declare -A SECOND_EXITS=()

# On Linux the instances meet in a runtime folder of the scenario's own (a short
# path: a socket's address is at most 107 bytes), removed at the end.
if [ "$E2E_PLATFORM" = linux ]; then
  XDG_RUNTIME_DIR=$(mktemp -d /tmp/e2e-run.XXXXXX) || fail "cannot make a runtime folder"
  export XDG_RUNTIME_DIR
  UNDO_COMMANDS+=("rm -rf '$XDG_RUNTIME_DIR'")
fi

# install_single_instance_application FORM: the application
# (lib/application.sh) with "Single Instance=yes" and a secondaryMain of FORM
# (int or void).
install_single_instance_application() {
  install_application
  write_secondary_settings "$1" "Single Instance=yes"
}

# start_first_instance [ARG...]: starts the launcher (start_launcher) with its
# main held until release_first_instance, and waits until main runs: with the
# stub's log (use_stub_log first) the stub's main waits; otherwise the probe's
# SecondaryInt or SecondaryVoid, which take the file as their first argument.
start_first_instance() {
  GO_FILE="$SCENARIO_DIR/go"
  rm -f "$GO_FILE"
  if [ -n "$STUB_LOG" ]; then
    export STUB_JVM_MAIN_WAIT_FILE
    STUB_JVM_MAIN_WAIT_FILE=$(win_path "$GO_FILE")
    start_launcher "$@"
    wait_for_first_instance grep -q '^main-waiting' "$STUB_LOG"
  else
    # Emptied first: the output of an earlier start must not count.
    : >"$SCENARIO_DIR/stdout.txt"
    start_launcher "$(native_path "$GO_FILE")" "$@"
    wait_for_first_instance grep -qxE $'main started\r?' "$SCENARIO_DIR/stdout.txt"
  fi
}

# start_own_instance_at PATH NAME: starts the launcher at PATH as
# start_launcher_at does, as one more instance that runs main itself (held as
# the first instance's is), and waits until that main runs.
start_own_instance_at() {
  local path=$1 name=$2
  : >"$SCENARIO_DIR/$name.out"
  if [ -n "$STUB_LOG" ]; then
    local waiting
    waiting=$(log_events main-waiting | wc -l)
    start_launcher_at "$path" "$name"
    wait_for_instance_main "$name" mains_waiting_beyond "$waiting"
  else
    start_launcher_at "$path" "$name" "$(native_path "$GO_FILE")"
    wait_for_instance_main "$name" grep -qxE $'main started\r?' "$SCENARIO_DIR/$name.out"
  fi
}

# More than COUNT mains wait in the stub's log.
mains_waiting_beyond() { [ "$(log_events main-waiting | wc -l)" -gt "$1" ]; }

# Waits until the command finds the first instance's main running.
wait_for_first_instance() { wait_for_instance_main first "$@"; }

# wait_for_instance_main NAME COMMAND...: waits until the command finds the
# main of the instance NAME ("first", or a second one's name) running.
wait_for_instance_main() {
  local name=$1 deadline=$((SECONDS + E2E_EXIT_TIMEOUT))
  shift
  until "$@" 2>/dev/null; do
    if [ "$name" = first ]; then launcher_running; else second_running "$name"; fi ||
      fail "the $name instance ended before its main ran"
    [ "$SECONDS" -lt "$deadline" ] || fail "the $name instance's main did not run within $E2E_EXIT_TIMEOUT s"
    sleep 0.05
  done
}

release_first_instance() { : >"$GO_FILE"; }

# start_second_instance NAME [ARG...]: starts the launcher once more, in the
# background, in the scenario folder; its output goes to NAME.out and NAME.err.
start_second_instance() {
  local name=$1
  shift
  start_launcher_at "$LAUNCHER" "$name" "$@"
}

# start_launcher_at PATH NAME [ARG...]: as start_second_instance, for the
# launcher at PATH (a copy elsewhere).
start_launcher_at() {
  local path=$1 name=$2 runner=()
  shift 2
  [ "$E2E_PLATFORM" = windows ] && runner=("$E2E_WINE")
  (cd "$SCENARIO_DIR" && exec "${runner[@]}" "$path" "$@") \
    </dev/null >"$SCENARIO_DIR/$name.out" 2>"$SCENARIO_DIR/$name.err" &
  SECOND_PIDS[$name]=$!
  BACKGROUND_PIDS+=($!)
}

second_running() { kill -0 "${SECOND_PIDS[$1]}" 2>/dev/null; }

# expect_second_exit NAME CODE [SECONDS]: the second instance ends (within
# E2E_EXIT_TIMEOUT or SECONDS) with CODE.
expect_second_exit() {
  local name=$1 expected=$2 limit=${3:-$E2E_EXIT_TIMEOUT}
  local deadline=$((SECONDS + limit))
  while second_running "$name"; do
    [ "$SECONDS" -lt "$deadline" ] || fail "second instance $name did not end within $limit s"
    sleep 0.05
  done
  wait "${SECOND_PIDS[$name]}"
  SECOND_EXITS[$name]=$?
  assert_equals "$expected" "${SECOND_EXITS[$name]}" "exit code of second instance $name"
}

# expect_handed_off NAME: the second instance NAME has handed its arguments
# over (its trace line; use_trace first) and waits for the first.
expect_handed_off() {
  wait_for_trace_line "handed-off the first instance has the arguments; waiting for its answer"
  second_running "$1" || fail "second instance $1 ended instead of waiting for the first"
}

# run_second_instance NAME CODE [ARG...]: a second instance in the foreground,
# which must end with CODE.
run_second_instance() {
  local name=$1 expected=$2
  shift 2
  start_second_instance "$name" "$@"
  expect_second_exit "$name" "$expected"
}

# The calls of secondaryMain, in order: the stub's lines without their thread
# ids (windows), the probe's without their call numbers (linux).
secondary_calls() {
  if [ "$E2E_PLATFORM" = windows ]; then
    log_events secondaryMain | sed 's/ thread=[0-9]*$//'
  else
    sed 's/^call [0-9]* //' "$PROBE_SECONDARY_LOG"
  fi
}

# assert_secondary_calls <<LOG: the calls of secondaryMain, as secondary_calls
# shows them, are exactly these, in any order.
assert_secondary_calls() {
  local expected actual
  expected=$(sort)
  actual=$(secondary_calls | sort)
  [ "$expected" = "$actual" ] ||
    fail "secondaryMain calls differ:"$'\n'"$(diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual"))"
}

# Every request thread that attached has detached again (windows): DestroyJavaVM
# would wait for one that had not.
assert_request_threads_detached() {
  local attached detached
  attached=$(log_events AttachCurrentThread | sed -n 's/.* thread=\([0-9]*\) .*/\1/p' | sort)
  detached=$(log_events DetachCurrentThread | sed -n 's/.* thread=\([0-9]*\) .*/\1/p' | sort)
  assert_equals "$attached" "$detached" "threads that attached and detached"
}

# How the probe writes one argument: its UTF-16 units in brackets, "[0061 0062]".
probe_units() { printf '[%s]' "$(code_units "$1" | sed 's/^ //')"; }

# The process id on the first instance's trace lines (its "main-class" line).
first_instance_pid() { grep -m1 -E '^[0-9]+ \+[0-9]+us main-class ' "$TRACE_FILE" | cut -d' ' -f1; }

# assert_first_instance_named COUNT: COUNT hand-offs learnt the first
# instance's process id: on Windows each granted it the foreground, on Linux
# each had it in the first instance's acknowledgement (use_trace first).
assert_first_instance_named() {
  local line
  if [ "$E2E_PLATFORM" = windows ]; then
    line="foreground-grant process=$(first_instance_pid) granted=yes"
  else
    line="first-instance process=$(first_instance_pid)"
  fi
  assert_equals "$1" "$(trace_lines | grep -cxF -- "$line")" "hand-offs with the line [$line]"
}

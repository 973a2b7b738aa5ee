# The trace the launcher writes where QX_LAUNCHER_TRACE says, and its
# assertions. Each line of the file is "<pid> +<microseconds>us <event> <fields>";
# these functions compare the part after the stamp. Texts in the trace are
# quoted as quote (lib/dialogs.sh) does.

TRACE_FILE=

# Lets the launcher trace to trace.log in the scenario folder, emptied.
use_trace() {
  TRACE_FILE="$SCENARIO_DIR/trace.log"
  : >"$TRACE_FILE"
  export QX_LAUNCHER_TRACE
  if [ "$E2E_PLATFORM" = windows ]; then
    QX_LAUNCHER_TRACE=$(win_path "$TRACE_FILE")
  else
    QX_LAUNCHER_TRACE=$TRACE_FILE
  fi
}

# The trace's lines without their stamps; with EVENT, only that event's lines.
trace_lines() {
  [ -n "$TRACE_FILE" ] || fail "use_trace first"
  local lines
  lines=$(sed -E 's/^[0-9]+ \+[0-9]+us //' "$TRACE_FILE")
  if [ $# -gt 0 ]; then grep -E "^$1( |\$)" <<<"$lines"; else printf '%s\n' "$lines"; fi
}

# The trace holds exactly this line (after its stamp).
assert_trace_has() {
  local lines
  lines=$(trace_lines)
  grep -qxF -- "$1" <<<"$lines" || fail "the trace lacks the line [$1]; it holds:"$'\n'"$lines"
}

trace_holds() { trace_lines | grep -qxF -- "$1"; }

# Waits until the trace holds this line (after its stamp): written while the launcher runs.
wait_for_trace_line() { wait_until "the trace line [$1]" trace_holds "$1"; }

# No line of the trace holds TEXT.
assert_trace_lacks() {
  local lines
  lines=$(trace_lines)
  if grep -qF -- "$1" <<<"$lines"; then fail "the trace holds [$1]"; fi
}

# The lines are there in this order, others possibly between them.
assert_trace_order() {
  local line number after=0 lines
  lines=$(trace_lines)
  for line in "$@"; do
    number=$(tail -n +$((after + 1)) <<<"$lines" | grep -nxF -m1 -- "$line" | cut -d: -f1)
    [ -n "$number" ] || fail "the trace lacks the line [$line] after line $after; it holds:"$'\n'"$lines"
    after=$((after + number))
  done
}

# The event's lines are exactly the lines of standard input.
assert_trace_events() {
  local expected actual
  expected=$(cat)
  actual=$(trace_lines "$1")
  [ "$expected" = "$actual" ] ||
    fail "$1 lines of the trace differ:"$'\n'"$(diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual"))"
}


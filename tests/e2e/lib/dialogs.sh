# The launcher's dialogs (windows), read and pressed through ui_driver.exe.

WATCHER_PID=
DIALOG_LISTING=
: "${E2E_DIALOG_TIMEOUT_MS:=10000}"

# Runs ui_driver.exe with the arguments; its output goes to the file. An exit
# status that is none of the driver's own (0 to 3) is logged: the process
# crashed or Wine lost it, which the driver's output cannot say.
ui_driver() {
  local output=$1 status=0
  shift
  "$E2E_WINE" "$E2E_UI_DRIVER" "$@" </dev/null >"$output" 2>&1 || status=$?
  [ "$status" -le 3 ] || log "ui_driver $1 ended with status $status, not one of its own"
  return "$status"
}

show_open_dialogs() {
  if ui_driver "$SCENARIO_DIR/open-dialogs.txt" list --process "$LAUNCHER_WIN" --timeout 0; then
    log "dialogs still open:"
    cat "$SCENARIO_DIR/open-dialogs.txt"
  fi
}

# Waits for a dialog of the launcher (more ui_driver filters may follow, e.g.
# --caption) and keeps its listing for the assertions below.
expect_dialog() {
  DIALOG_LISTING="$SCENARIO_DIR/dialog.txt"
  if ! ui_driver "$DIALOG_LISTING" list --process "$LAUNCHER_WIN" --timeout "$E2E_DIALOG_TIMEOUT_MS" "$@"; then
    cat "$DIALOG_LISTING"
    fail "no dialog of the launcher appeared within $E2E_DIALOG_TIMEOUT_MS ms"
  fi
  log "dialog:"
  cat "$DIALOG_LISTING"
}

# The lines of the first dialog in the listing.
first_dialog() {
  [ -n "$DIALOG_LISTING" ] || fail "expect_dialog first"
  awk 'NR > 1 && /^dialog /{ exit } { print }' "$DIALOG_LISTING"
}

# The quoted, escaped form in which ui_driver prints a text.
quote() {
  local text=$1
  text=${text//\\/\\\\}
  text=${text//\"/\\\"}
  text=${text//$'\n'/\\n}
  text=${text//$'\r'/\\r}
  text=${text//$'\t'/\\t}
  printf '"%s"' "$text"
}

# One field of control ID in the dialog: class, enabled, visible or text
# (class and text as printed: quoted). Called as $(...), it reports a failure
# through its exit status: callers add "|| exit 1".
control_field() {
  local id=$1 field=$2 line
  line=$(first_dialog | grep -E "^control id=$id ") || fail "the dialog has no control with id $id"
  [[ $line =~ ^control\ id=(-?[0-9]+)\ class=(\"[^\"]*\")\ enabled=([01])\ visible=([01])\ text=(.*)$ ]] ||
    fail "unexpected listing line: $line"
  case $field in
    class) printf '%s' "${BASH_REMATCH[2]}" ;;
    enabled) printf '%s' "${BASH_REMATCH[3]}" ;;
    visible) printf '%s' "${BASH_REMATCH[4]}" ;;
    text) printf '%s' "${BASH_REMATCH[5]}" ;;
    *) fail "control_field: no field $field" ;;
  esac
}

assert_caption() {
  local line
  line=$(first_dialog | head -n1) || exit 1
  [[ $line =~ ^dialog\ pid=[0-9]+\ process=\"[^\"]*\"\ caption=(.*)$ ]] || fail "unexpected listing line: $line"
  assert_equals "$(quote "$1")" "${BASH_REMATCH[1]}" "caption of the dialog"
}

assert_control_text() {
  local actual
  actual=$(control_field "$1" text) || exit 1
  assert_equals "$(quote "$2")" "$actual" "text of control $1"
}

# ENABLED is 1 or 0.
assert_control_enabled() {
  local actual
  actual=$(control_field "$1" enabled) || exit 1
  assert_equals "$2" "$actual" "enabled state of control $1"
}

# The ids of the dialog's visible buttons, in the dialog's order.
assert_buttons() {
  local lines actual
  lines=$(first_dialog) || exit 1
  actual=$(sed -n 's/^control id=\(-\{0,1\}[0-9]*\) class="Button" enabled=[01] visible=1 .*/\1/p' <<<"$lines" |
    tr '\n' ' ')
  assert_equals "$*" "${actual% }" "ids of the visible buttons"
}

# Presses button ID of the launcher's dialog and waits until the dialog has gone.
press_button() {
  local id=$1
  shift
  ui_driver "$SCENARIO_DIR/press.txt" click --id "$id" --process "$LAUNCHER_WIN" \
    --timeout "$E2E_DIALOG_TIMEOUT_MS" "$@" || { cat "$SCENARIO_DIR/press.txt"; fail "could not press button $id"; }
  log "pressed button $id"
}

# Types TEXT into control ID of the launcher's dialog (it must then hold exactly that).
set_control_text() {
  ui_driver "$SCENARIO_DIR/set-text.txt" set-text --id "$1" --text "$2" --process "$LAUNCHER_WIN" \
    --timeout "$E2E_DIALOG_TIMEOUT_MS" || { cat "$SCENARIO_DIR/set-text.txt"; fail "could not set the text of control $1"; }
  log "set the text of control $1"
}

# Fails with what "ui_driver absent" reported, given its exit status.
absent_failed() {
  local status=$1 output=$2
  cat "$output"
  [ "$status" -eq 1 ] && fail "a dialog of the launcher appeared"
  fail "ui_driver absent failed with $status"
}

# While the launcher keeps running: no dialog of it may show for SECONDS.
expect_no_dialog() {
  local output="$SCENARIO_DIR/absent.txt"
  ui_driver "$output" absent --process "$LAUNCHER_WIN" --timeout $(($1 * 1000)) || absent_failed $? "$output"
}

# Waits for the launcher to end, as expect_exit, while a watcher checks that
# no dialog of it shows until then. On Linux, where the launcher has no
# dialogs, it is expect_exit.
expect_exit_without_dialog() {
  if [ "$E2E_PLATFORM" = linux ]; then
    expect_exit "$@"
    return
  fi
  local expected=$1 limit=${2:-$E2E_EXIT_TIMEOUT}
  local ended="$SCENARIO_DIR/launcher-ended" output="$SCENARIO_DIR/absent.txt"
  # Left by an earlier call, it would stop the watcher at once.
  rm -f "$ended"
  # Started directly, not through the ui_driver function, so that $! is the
  # watcher itself and stop_process can end it.
  "$E2E_WINE" "$E2E_UI_DRIVER" absent --process "$LAUNCHER_WIN" --timeout $((limit * 1000)) \
    --until-file "$(win_path "$ended")" </dev/null >"$output" 2>&1 &
  WATCHER_PID=$!
  while launcher_running && kill -0 "$WATCHER_PID" 2>/dev/null; do sleep 0.05; done
  # A dialog keeps the launcher running, so a launcher that has ended lets the
  # watcher stop; a watcher that stops first has seen a dialog or timed out.
  launcher_running || touch "$ended"
  wait "$WATCHER_PID"
  local watched=$?
  WATCHER_PID=
  [ "$watched" -eq 0 ] || absent_failed "$watched" "$output"
  launcher_running && fail "the launcher did not end within $limit s"
  collect_exit
  assert_equals "$expected" "$LAUNCHER_EXIT" "exit code of the launcher"
}

# ---- Dialogs of the launcher's own (templates 201 and 231): what their
# controls show, the folder picker behind Browse, the real pointer.

# drive_dialog COMMAND ARGS...: ui_driver on the launcher's dialog; its output
# stays in DRIVER_OUTPUT; fails the scenario unless it succeeds.
DRIVER_OUTPUT=
drive_dialog() {
  local command=$1
  shift
  DRIVER_OUTPUT="$SCENARIO_DIR/driver.txt"
  ui_driver "$DRIVER_OUTPUT" "$command" --process "$LAUNCHER_WIN" --timeout "$E2E_DIALOG_TIMEOUT_MS" "$@" || {
    cat "$DRIVER_OUTPUT"
    fail "ui_driver $command $* failed"
  }
}

# The system icon that control ID shows: hand, question, exclamation, asterisk,
# application, none or other.
assert_control_icon() {
  drive_dialog icon --id "$1"
  assert_equals "icon id=$1 shows=$2" "$(cat "$DRIVER_OUTPUT")" "icon of control $1"
}

# Presses the Browse button ID and picks FOLDER (a Unix path) in the folder
# picker that it opens; the picker has gone when this returns.
browse_for_folder() {
  drive_dialog click --id "$1" --keep-open
  drive_dialog browse --path "$(win_path "$2")"
  log "browsed to $2"
}

# The colours on screen over control ID, most frequent first: one "RRGGBB
# COUNT" line each (at most 16).
control_colours() {
  drive_dialog pixels --id "$1"
  sed -n 's/^colour=\([0-9A-F]*\) count=\([0-9]*\)$/\1 \2/p' "$DRIVER_OUTPUT"
}

# The launcher's dialog with placement and styles, kept in DIALOG_GEOMETRY for
# geometry_field; with a size or show command (which print the same), after it.
DIALOG_GEOMETRY=
read_geometry() {
  if [ $# -eq 0 ]; then drive_dialog list --geometry; else drive_dialog "$@"; fi
  DIALOG_GEOMETRY="$SCENARIO_DIR/geometry.txt"
  cp "$DRIVER_OUTPUT" "$DIALOG_GEOMETRY"
}

# FIELD (rect, client, style, exstyle, owner, visible, ...) of the dialog, or
# of control ID, in the last geometry read.
geometry_field() {
  local field=$1 id=${2:-} line
  if [ -n "$id" ]; then
    line=$(grep -m1 -E "^control id=$id " "$DIALOG_GEOMETRY") || fail "no control $id in the geometry"
  else
    line=$(grep -m1 '^dialog ' "$DIALOG_GEOMETRY") || fail "no dialog in the geometry"
  fi
  [[ " $line" =~ \ $field=([^ ]*) ]] || fail "no $field in [$line]"
  printf '%s' "${BASH_REMATCH[1]}"
}

# Moves the real pointer over a client point of control ID.
hover_control() { drive_dialog hover --id "$1" --x "$2" --y "$3"; }

# With the real pointer, drags from a client point of control ID by DX,DY;
# the dialog's geometry afterwards is read as read_geometry does.
drag_control() {
  local id=$1 x=$2 y=$3 dx=$4 dy=$5
  drive_dialog drag --id "$id" --x "$x" --y "$y" --dx "$dx" --dy "$dy"
  DIALOG_GEOMETRY="$SCENARIO_DIR/geometry.txt"
  cp "$DRIVER_OUTPUT" "$DIALOG_GEOMETRY"
}

# No runtime was found: the "JRE Not Found" dialog shows (and no error box
# before it); Cancel ends the start with -1.
decline_runtime_question() {
  expect_dialog --caption "JRE Not Found"
  press_button 2
  expect_exit 255
}

# Sourced by every end-to-end scenario. A scenario works in a folder of its
# own: it puts a copy of the launcher and a settings file there, runs the
# launcher, drives its dialogs and checks how it ended. On exit, whatever the
# outcome, the processes it started are ended, the registry keys it made are
# deleted and (when it passed) its folder is removed.
#
# Set by tests/e2e/CMakeLists.txt:
#   E2E_PLATFORM   windows or linux
#   E2E_LAUNCHER   the launcher that was built
#   E2E_WORK_DIR   the folder that holds the scenario folders
#   E2E_UI_DRIVER  ui_driver.exe (windows)
#   E2E_WINE       the Wine loader (windows); the caller has started the Wine
#                  session (DISPLAY, WINEPREFIX, a persistent wineserver)
#   E2E_STUB_JVM, E2E_STUB_JVM_NO_DEFAULT_ARGS
#                  the stub runtime's two jvm.dll builds (windows; see
#                  tests/fixtures/stub_jvm/README.md)
# Optional:
#   E2E_KEEP=1     keep the folder of a scenario that passed
#   E2E_DIALOG_TIMEOUT_MS, E2E_EXIT_TIMEOUT (seconds): how long to wait

set -u -o pipefail

# The stub runtime takes its orders from STUB_JVM_* variables: a scenario sets
# the ones it means, none comes from the caller.
unset "${!STUB_JVM_@}"

# Wine decodes the command line of a Windows program with the locale's
# character set: one UTF-8 locale everywhere keeps non-ASCII arguments intact.
export LC_ALL=C.UTF-8

SCENARIO_NAME=$(basename "$0" .sh)
SCENARIO_DIR=
LAUNCHER=
LAUNCHER_WIN=
LAUNCHER_PID=
LAUNCHER_EXIT=
WATCHER_PID=
DIALOG_LISTING=
STUB_LOG=
CREATED_KEYS=()
: "${E2E_DIALOG_TIMEOUT_MS:=10000}"
: "${E2E_EXIT_TIMEOUT:=20}"

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
  local i
  for ((i = ${#CREATED_KEYS[@]} - 1; i >= 0; i--)); do
    wine_quiet reg delete "${CREATED_KEYS[i]#*|}" /f "${CREATED_KEYS[i]%%|*}" ||
      printf 'e2e: could not delete registry key %s\n' "${CREATED_KEYS[i]}" >&2
  done
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

show_launcher_output() {
  local stream
  for stream in stdout stderr; do
    if [ -s "$SCENARIO_DIR/$stream.txt" ]; then
      log "the launcher's $stream:"
      cat "$SCENARIO_DIR/$stream.txt"
    fi
  done
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

# The Windows path under which Wine shows a Unix path (drive Z: is the root).
# Computed, not asked of winepath: winepath cuts paths longer than MAX_PATH.
win_path() {
  local path=$1
  printf 'Z:%s' "${path//\//\\}"
}

wine_quiet() { "$E2E_WINE" "$@" </dev/null >/dev/null 2>&1; }

# ---- files ----------------------------------------------------------------

# Copies the launcher to a path inside the scenario folder (default: its own
# name); folders on the way are made.
install_launcher() {
  local relative=${1:-$(basename "$E2E_LAUNCHER")}
  LAUNCHER="$SCENARIO_DIR/$relative"
  mkdir -p "$(dirname "$LAUNCHER")" || fail "cannot make the folder of $LAUNCHER"
  cp "$E2E_LAUNCHER" "$LAUNCHER" || fail "cannot copy the launcher to $LAUNCHER"
  LAUNCHER_WIN=$(win_path "$LAUNCHER")
}

# The settings file the launcher reads: its path with the extension replaced by
# "ini", or with ".ini" added when it has none.
settings_path_of() {
  local path=$1 name=${1##*/}
  if [[ $name == *.* ]]; then printf '%s.ini' "${path%.*}"; else printf '%s.ini' "$path"; fi
}

# Writes standard input (a here-doc) to a settings file: the launcher's own by
# default, or the given path inside the scenario folder. CRLF line ends on Windows.
write_settings() {
  local file
  if [ $# -gt 0 ]; then file="$SCENARIO_DIR/$1"; else file=$(settings_path_of "$LAUNCHER"); fi
  mkdir -p "$(dirname "$file")"
  if [ "$E2E_PLATFORM" = windows ]; then sed 's/\r*$/\r/' >"$file"; else cat >"$file"; fi
}

# ---- running the launcher -------------------------------------------------

# Starts the launcher in the background, in the scenario folder, with the
# arguments; its output goes to stdout.txt and stderr.txt there.
start_launcher() {
  [ -n "$LAUNCHER" ] || fail "start_launcher: install_launcher first"
  local runner=()
  [ "$E2E_PLATFORM" = windows ] && runner=("$E2E_WINE")
  (cd "$SCENARIO_DIR" && exec "${runner[@]}" "$LAUNCHER" "$@") \
    </dev/null >"$SCENARIO_DIR/stdout.txt" 2>"$SCENARIO_DIR/stderr.txt" &
  LAUNCHER_PID=$!
  LAUNCHER_EXIT=
  log "started ${LAUNCHER#"$SCENARIO_DIR"/}${*:+ $*} (pid $LAUNCHER_PID)"
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

# ---- dialogs (windows) ----------------------------------------------------

# Runs ui_driver.exe with the arguments; its output goes to the file.
ui_driver() {
  local output=$1
  shift
  "$E2E_WINE" "$E2E_UI_DRIVER" "$@" </dev/null >"$output" 2>&1
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
# no dialog of it shows until then.
expect_exit_without_dialog() {
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

# ---- registry (windows) ---------------------------------------------------

# reg_add [--32] KEY NAME DATA [TYPE]: sets a value under HKLM or HKCU in the
# 64-bit view, or the 32-bit one with --32; an empty NAME is the default
# value, TYPE is REG_SZ unless given. Keys made here are deleted at the end.
reg_add() {
  local view=/reg:64
  if [ "$1" = --32 ]; then view=/reg:32; shift; fi
  local key=$1 name=$2 data=$3 type=${4:-REG_SZ}
  remember_new_key "$key" "$view"
  local value=(/v "$name")
  [ -n "$name" ] || value=(/ve)
  wine_quiet reg add "$key" "${value[@]}" /t "$type" /d "$data" /f "$view" ||
    fail "could not set $key\\$name in the registry ($view)"
}

# reg_delete [--32] KEY: deletes a key with everything below it.
reg_delete() {
  local view=/reg:64
  if [ "$1" = --32 ]; then view=/reg:32; shift; fi
  wine_quiet reg delete "$1" /f "$view" || fail "could not delete $1 from the registry ($view)"
}

# Notes the outermost key on KEY's way that does not exist yet.
remember_new_key() {
  local key=$1 view=$2 parts prefix i
  IFS='\' read -r -a parts <<<"$key"
  prefix=${parts[0]}
  for ((i = 1; i < ${#parts[@]}; i++)); do
    prefix+="\\${parts[i]}"
    if ! wine_quiet reg query "$prefix" "$view"; then
      CREATED_KEYS+=("$view|$prefix")
      return
    fi
  done
}

# register_runtime [--32] [--jdk] VERSION FOLDER: registers the runtime in
# FOLDER (inside the scenario folder) under HKLM\Software\JavaSoft\Java Runtime
# Environment\VERSION, or Java Development Kit with --jdk, as its JavaHome.
register_runtime() {
  local view=() kind="Java Runtime Environment"
  while [ $# -gt 2 ]; do
    case $1 in
      --32) view=(--32) ;;
      --jdk) kind="Java Development Kit" ;;
      *) fail "register_runtime: unknown option $1" ;;
    esac
    shift
  done
  reg_add "${view[@]}" "HKLM\\Software\\JavaSoft\\$kind\\$1" JavaHome "$(win_path "$SCENARIO_DIR/$2")"
}

# ---- the stub runtime (windows) -------------------------------------------

# install_runtime [--vm NAME] [--java-dll] [--library FILE] FOLDER: makes a
# runtime folder inside the scenario folder holding the stub (or FILE) as
# bin\NAME\jvm.dll (NAME: server unless given), and bin\java.dll with --java-dll.
install_runtime() {
  require_variables E2E_STUB_JVM
  local vm=server java_dll=0 library=$E2E_STUB_JVM
  while [ $# -gt 1 ]; do
    case $1 in
      --vm) vm=$2; shift ;;
      --java-dll) java_dll=1 ;;
      --library) library=$2; shift ;;
      *) fail "install_runtime: unknown option $1" ;;
    esac
    shift
  done
  local home="$SCENARIO_DIR/$1"
  mkdir -p "$home/bin/$vm" || fail "cannot make $home/bin/$vm"
  cp "$library" "$home/bin/$vm/jvm.dll" || fail "cannot copy $library to $home/bin/$vm"
  if [ "$java_dll" = 1 ]; then : >"$home/bin/java.dll"; fi
}

# The application most scenarios run: the launcher, the stub runtime in "jre"
# and an empty app.jar in the scenario folder.
install_stub_application() {
  install_launcher launcher.exe
  install_runtime jre
  : >"$SCENARIO_DIR/app.jar"
}

# write_stub_settings [RUNTIME_LINES] [APPLICATION_LINES]: settings that run
# com.example.Main from app.jar on the runtime in "jre", with further lines for
# [Java Runtime Environment] and [Application] (each may hold several lines).
write_stub_settings() {
  write_settings <<INI
[Java Runtime Environment]
JRE Path=$(win_path "$SCENARIO_DIR/jre")
${1:-}
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
${2:-}
INI
}

# Lets the stub log to stub.log in the scenario folder, emptied.
use_stub_log() {
  STUB_LOG="$SCENARIO_DIR/stub.log"
  : >"$STUB_LOG"
  export STUB_JVM_LOG
  STUB_JVM_LOG=$(win_path "$STUB_LOG")
}

# The lines of the stub's log for EVENT, in order.
log_events() {
  [ -n "$STUB_LOG" ] || fail "use_stub_log first"
  grep -E "^$1( |\$)" "$STUB_LOG"
}

# The value of KEY in the one line of EVENT in the log, as written there
# (texts quoted).
log_field() {
  local event=$1 key=$2 lines
  lines=$(log_events "$event")
  if [ -z "$lines" ] || [ "$(wc -l <<<"$lines")" != 1 ]; then
    fail "expected one $event line in the stub's log, got [$lines]"
  fi
  [[ " ${lines#"$event"}" =~ \ $key=(\"([^\"\\]|\\.)*\"|[^ ]*) ]] || fail "no $key in [$lines]"
  printf '%s' "${BASH_REMATCH[1]}"
}

# The log holds exactly this line (the stub writes texts as quote does).
assert_log_has() {
  [ -n "$STUB_LOG" ] || fail "use_stub_log first"
  grep -qxF -- "$1" "$STUB_LOG" || fail "the stub's log lacks the line [$1]"
}

assert_log_lacks() {
  [ -n "$STUB_LOG" ] || fail "use_stub_log first"
  assert_file_lacks "$STUB_LOG" "$1"
}

# The log holds these lines in this order, others possibly between them.
assert_log_order() {
  [ -n "$STUB_LOG" ] || fail "use_stub_log first"
  local line number after=0
  for line in "$@"; do
    number=$(tail -n +$((after + 1)) "$STUB_LOG" | grep -nxF -m1 -- "$line" | cut -d: -f1)
    [ -n "$number" ] || fail "the stub's log lacks the line [$line] after line $after"
    after=$((after + number))
  done
}

# The log's lines of EVENT are exactly the lines of standard input.
assert_log_events() {
  local expected actual
  expected=$(cat)
  actual=$(log_events "$1")
  [ "$expected" = "$actual" ] ||
    fail "$1 lines of the stub's log differ:"$'\n'"$(diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual"))"
}

# The JVM was created, once, from FOLDER's bin\VM\jvm.dll (VM: server unless given).
assert_jvm_created_from() {
  local module
  module=$(log_field JNI_CreateJavaVM module) || exit 1
  assert_equals "$(quote "$(win_path "$SCENARIO_DIR/$1/bin/${2:-server}/jvm.dll")")" "$module" "the JVM library"
}

# ---- assertions -----------------------------------------------------------

assert_equals() {
  local expected=$1 actual=$2 what=$3
  [ "$expected" = "$actual" ] || fail "$what: expected [$expected], got [$actual]"
}

# The file holds exactly TEXT and a line end, or nothing when TEXT is empty.
assert_file_is() {
  local file=$1 text=$2 expected actual
  if [ -n "$text" ]; then expected="$text"$'\n'; else expected=; fi
  actual=$(cat "$file"; printf x)
  assert_equals "$expected" "${actual%x}" "content of ${file##*/}"
}

# No line of the file holds TEXT.
assert_file_lacks() {
  local file=$1 text=$2
  if grep -qF -- "$text" "$file"; then fail "${file##*/} holds [$text]"; fi
}

assert_stderr_lacks() { assert_file_lacks "$SCENARIO_DIR/stderr.txt" "$1"; }
assert_stderr_is() { assert_file_is "$SCENARIO_DIR/stderr.txt" "$1"; }
assert_stdout_is() { assert_file_is "$SCENARIO_DIR/stdout.txt" "$1"; }

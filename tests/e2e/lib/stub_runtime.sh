# Runtimes made of the stub JVM library (windows), and the log in which the
# stub records what the launcher asked of it.

# The stub runtime takes its orders from STUB_JVM_* variables: a scenario sets
# the ones it means, none comes from the caller.
unset "${!STUB_JVM_@}"

STUB_LOG=

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

# write_release FOLDER LINE...: the runtime's "release" file, one KEY="value"
# line each (JAVA_VERSION, IMAGE_TYPE, JVM_VARIANT).
write_release() {
  local folder="$SCENARIO_DIR/$1"
  shift
  mkdir -p "$folder" || fail "cannot make $folder"
  printf '%s\n' "$@" >"$folder/release"
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

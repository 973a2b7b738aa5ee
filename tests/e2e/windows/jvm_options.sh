#!/usr/bin/env bash
# The options the JVM is created with, in order: the library path (only when
# "Library Path" is set), the class path, the "Virtual Machine Parameters" as
# written with their quotes removed and memory shares in kilobytes, then the
# abort and exit hooks; JNI 1.2, unrecognised options not ignored.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher app/launcher.exe
install_runtime jre
mkdir -p "$SCENARIO_DIR/app/lib"
: >"$SCENARIO_DIR/app/app.jar"
: >"$SCENARIO_DIR/app/lib/a.jar"
: >"$SCENARIO_DIR/app/lib/notes.txt"
# Relative entries are looked for beside the launcher, not in the current folder.
: >"$SCENARIO_DIR/elsewhere.jar"
app=$(win_path "$SCENARIO_DIR/app")
jre=$(win_path "$SCENARIO_DIR/jre")

# run_with LIBRARY_PATH: runs the launcher, with "Library Path" if not empty.
run_with() {
  use_stub_log
  write_settings <<INI
[Java Runtime Environment]
JRE Path=$jre
${1:+Library Path=$1}
Virtual Machine Parameters=-Dfirst=1 "-Dsecond=two words" -Dthird="x y" -Xmx50:16:64P -Dlast
[Class Path]
Class Path=Z:\\nowhere\\abs.jar;lib\\*.jar;elsewhere.jar;app.jar
[Application]
Main Class=com.example.Main
INI
  start_launcher
  expect_exit_without_dialog 0
}

# The options after the library path.
expected_options() {
  local first=$1
  cat <<LINES
option index=$first text=$(quote "-Djava.class.path=Z:\\nowhere\\abs.jar;$app\\lib\\a.jar;$app\\app.jar") extraInfo=null
option index=$((first + 1)) text="-Dfirst=1" extraInfo=null
option index=$((first + 2)) text="-Dsecond=two words" extraInfo=null
option index=$((first + 3)) text="-Dthird=x y" extraInfo=null
option index=$((first + 4)) text="-Xmx65536K" extraInfo=null
option index=$((first + 5)) text="-Dlast" extraInfo=null
option index=$((first + 6)) text="abort" extraInfo=set
option index=$((first + 7)) text="exit" extraInfo=set
LINES
}

run_with ""
assert_log_has "JNI_CreateJavaVM module=$(quote "$jre\\bin\\server\\jvm.dll") version=0x00010002 nOptions=8 ignoreUnrecognized=false result=0"
expected_options 0 | assert_log_events option

# The search path as Wine gives it to every program.
search_path=$("$E2E_WINE" cmd /c 'echo %PATH%' </dev/null | tr -d '\r')
[ -n "$search_path" ] || fail "could not read Wine's search path"
run_with 'Z:\native libs'
assert_log_has "JNI_CreateJavaVM module=$(quote "$jre\\bin\\server\\jvm.dll") version=0x00010002 nOptions=9 ignoreUnrecognized=false result=0"
{
  echo "option index=0 text=$(quote "-Djava.library.path=Z:\\native libs;$app\\;.;$search_path;$jre\\lib") extraInfo=null"
  expected_options 1
} | assert_log_events option

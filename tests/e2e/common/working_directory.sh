#!/usr/bin/env bash
# "Override WorkingDir=Yes": a launcher started from another folder finds its
# relative "JRE Path" and class path and writes its relative "Output File"
# beside itself. Without it, both a relative "JRE Path" and the output file
# are taken in the folder the start came from. On Windows a launcher in a
# drive's root makes that root current, not the drive's current folder ("Q:\",
# not "Q:").
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/application.sh"
begin_scenario

install_application_in app

# settings_with OVERRIDE JRE_PATH: relative class path and output file.
settings_with() {
  write_settings <<INI
[Application]
Main Class=$APPLICATION_MAIN_CLASS
Output File=out.log
Override WorkingDir=$1
[Class Path]
Class Path=$APPLICATION_JAR
[Java Runtime Environment]
JRE Path=$2
INI
}

# Started from the scenario folder, which has no jre of its own.
settings_with Yes jre
if [ "$E2E_PLATFORM" = windows ]; then use_stub_log; fi
start_launcher print to-output to-error
expect_exit_without_dialog 0
[ -e "$SCENARIO_DIR/app/out.log" ] || fail "out.log is not beside the launcher"
[ -e "$SCENARIO_DIR/out.log" ] && fail "out.log went to the folder the launcher was started from"
if [ "$E2E_PLATFORM" = windows ]; then
  assert_jvm_created_from app/jre
  class_path=$(quote "-Djava.class.path=$(win_path "$SCENARIO_DIR/app/app.jar")")
  grep -qF -- "text=${class_path%\"}" "$STUB_LOG" || fail "the class path does not name app.jar beside the launcher"
else
  assert_file_is "$SCENARIO_DIR/app/out.log" "to-output"
fi

# Without the setting, the relative "JRE Path" is looked for where the start came from.
settings_with No jre
start_launcher
expect_no_runtime_found

# Without the setting, the output follows the folder the start came from.
rm -f "$SCENARIO_DIR/app/out.log"
settings_with No "$(native_path "$SCENARIO_DIR/app/jre")"
start_launcher print to-output to-error
expect_exit_without_dialog 0
[ -e "$SCENARIO_DIR/out.log" ] || fail "without the setting, out.log is not in the folder the start came from"
[ -e "$SCENARIO_DIR/app/out.log" ] && fail "without the setting, out.log went beside the launcher"

if [ "$E2E_PLATFORM" = windows ]; then
  # A drive whose root is app/, the launcher started from its folder "sub",
  # which Wine makes the drive's current folder.
  drive="$WINEPREFIX/dosdevices/q:"
  [ -e "$drive" ] && fail "drive Q: is in use in the Wine prefix"
  ln -s "$SCENARIO_DIR/app" "$drive" || fail "cannot map drive Q:"
  UNDO_COMMANDS+=("rm -f '$drive'")
  mkdir -p "$SCENARIO_DIR/app/sub"
  rm -f "$SCENARIO_DIR/app/out.log"
  settings_with Yes 'Q:\jre'
  (cd "$SCENARIO_DIR/app/sub" && exec "$E2E_WINE" 'Q:\launcher.exe') </dev/null >"$SCENARIO_DIR/root.out" 2>&1
  assert_equals 0 "$?" "exit code of the launcher in the drive's root"
  [ -e "$SCENARIO_DIR/app/out.log" ] || fail "out.log is not in the drive's root"
  [ -e "$SCENARIO_DIR/app/sub/out.log" ] && fail "out.log went to the drive's current folder"
fi
true

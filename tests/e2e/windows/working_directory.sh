#!/usr/bin/env bash
# "Override WorkingDir=Yes": a launcher started from another folder finds its
# relative "JRE Path" and class path and writes its relative "Output File"
# beside itself. A launcher in a drive's root makes that root current, not the
# drive's current folder ("Q:\", not "Q:").
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher app/launcher.exe
install_runtime app/jre
: >"$SCENARIO_DIR/app/app.jar"

# settings_with OVERRIDE JRE_PATH: relative class path and output file.
settings_with() {
  write_settings <<INI
[Java Runtime Environment]
JRE Path=$2
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
Output File=out.log
Override WorkingDir=$1
INI
}

# Started from the scenario folder, which has no jre of its own.
settings_with Yes jre
use_stub_log
start_launcher
expect_exit_without_dialog 0
assert_jvm_created_from app/jre
class_path=$(quote "-Djava.class.path=$(win_path "$SCENARIO_DIR/app/app.jar")")
grep -qF -- "text=${class_path%\"}" "$STUB_LOG" || fail "the class path does not name app.jar beside the launcher"
[ -e "$SCENARIO_DIR/app/out.log" ] || fail "out.log is not beside the launcher"
[ -e "$SCENARIO_DIR/out.log" ] && fail "out.log went to the folder the launcher was started from"

# Without the setting, the output follows the folder the start came from.
rm -f "$SCENARIO_DIR/app/out.log"
settings_with No "$(win_path "$SCENARIO_DIR/app/jre")"
start_launcher
expect_exit_without_dialog 0
[ -e "$SCENARIO_DIR/out.log" ] || fail "without the setting, out.log is not in the folder the start came from"
[ -e "$SCENARIO_DIR/app/out.log" ] && fail "without the setting, out.log went beside the launcher"

# A drive whose root is app/, the launcher started from its folder "sub", which
# Wine makes the drive's current folder.
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
true

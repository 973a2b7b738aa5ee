#!/usr/bin/env bash
# A current runtime's jvm.dll imports DLLs that the runtime ships in its bin
# folder. The launcher loads them from there, by full path; a DLL of the same
# name in the folder the user starts from is never taken, not even when the
# runtime lacks its own. The runtime's splash library, which imports the JVM
# library, does not change that: the JVM library is loaded before it, even
# with a copy planted beside the launcher, where a plain load looks first.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/splash.sh"
begin_scenario
require_variables E2E_STUB_JVM_WITH_DEPENDENCY E2E_STUB_DEPENDENCY E2E_STUB_DEPENDENCY_PLANTED

# The launcher in app\, started from the scenario folder, where the planted
# copy lies: the current directory is not the launcher's folder.
install_launcher app/launcher.exe
: >"$SCENARIO_DIR/app/app.jar"
install_runtime --library "$E2E_STUB_JVM_WITH_DEPENDENCY" jre
cp "$E2E_STUB_DEPENDENCY" "$SCENARIO_DIR/jre/bin/jvmdep140.dll" || fail "cannot copy the runtime's DLL"
cp "$E2E_STUB_DEPENDENCY_PLANTED" "$SCENARIO_DIR/jvmdep140.dll" || fail "cannot plant the DLL"
write_settings <<INI
[Java Runtime Environment]
JRE Path=$(win_path "$SCENARIO_DIR/jre")
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
INI

use_stub_log
use_trace
start_launcher
expect_exit_without_dialog 0
assert_jvm_created_from jre
assert_log_has "dependency origin=\"runtime-bin\" path=$(quote "$(win_path "$SCENARIO_DIR/jre/bin/jvmdep140.dll")")"
assert_trace_has "runtime-dependency path=$(quote "$(win_path "$SCENARIO_DIR/jre/bin/jvmdep140.dll")") loaded=yes"
assert_trace_has "library-search rule=no-current-directory current-directory-excluded=yes"

# Without the runtime's own copy the JVM library does not load (126:
# ERROR_MOD_NOT_FOUND): the planted one is not a stand-in.
rm "$SCENARIO_DIR/jre/bin/jvmdep140.dll"
use_stub_log
start_launcher
expect_dialog
assert_caption "Error"
assert_control_text 65535 "Failed to load Java VM library: $(win_path "$SCENARIO_DIR/jre/bin/server/jvm.dll") (errno = 126)."$'\n'
press_button 1
expect_exit 255
assert_log_lacks dependency

# The runtime's splash preferred, and a copy beside the launcher.
cp "$E2E_STUB_DEPENDENCY" "$SCENARIO_DIR/jre/bin/jvmdep140.dll" || fail "cannot copy the runtime's DLL"
cp "$E2E_STUB_DEPENDENCY_PLANTED" "$SCENARIO_DIR/app/jvmdep140.dll" || fail "cannot plant the DLL"
install_splash_library jre
copy_picture quadrants.bmp
write_settings <<INI
[Java Runtime Environment]
JRE Path=$(win_path "$SCENARIO_DIR/jre")
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
[Display]
Splash Screen=$(win_path "$SCENARIO_DIR/quadrants.bmp")
Preffer Native Splash Screen=Yes
INI
use_stub_log
use_splash_log
start_launcher
expect_exit_without_dialog 0
assert_log_has "dependency origin=\"runtime-bin\" path=$(quote "$(win_path "$SCENARIO_DIR/jre/bin/jvmdep140.dll")")"
assert_log_has "SplashInit"

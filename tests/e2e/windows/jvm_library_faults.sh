#!/usr/bin/env bash
# A jvm.dll that cannot serve: one without JNI_GetDefaultJavaVMInitArgs, and a
# file that is no library at all. Each brings up its error box and the launcher
# ends with -1 without creating a JVM.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
: >"$SCENARIO_DIR/app.jar"
write_stub_settings

install_runtime --library "$E2E_STUB_JVM_NO_DEFAULT_ARGS" jre
use_stub_log
start_launcher
expect_dialog
assert_caption "Error"
# 127: ERROR_PROC_NOT_FOUND, from the failed look-up.
assert_control_text 65535 $'Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n'
press_button 1
expect_exit 255
assert_log_lacks JNI_

printf 'not a library\r\n' >"$SCENARIO_DIR/jre/bin/server/jvm.dll"
start_launcher
expect_dialog
assert_caption "Error"
# 193: ERROR_BAD_EXE_FORMAT.
assert_control_text 65535 "Failed to load Java VM library: $(win_path "$SCENARIO_DIR/jre/bin/server/jvm.dll") (errno = 193)."$'\n'
press_button 1
expect_exit 255

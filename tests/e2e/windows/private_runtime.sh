#!/usr/bin/env bash
# A runtime shipped with the application: the launcher's own folder when it
# holds bin\java.dll, else its jre64 folder when that does. A jvm.dll without
# java.dll beside it makes no private runtime.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher app/launcher.exe
: >"$SCENARIO_DIR/app/app.jar"
write_settings <<'INI'
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
INI

install_runtime app
install_runtime app/jre64
use_stub_log
start_launcher
decline_runtime_question
assert_log_lacks JNI_CreateJavaVM

install_runtime --java-dll app/jre64
use_stub_log
start_launcher
expect_exit_without_dialog 0
assert_jvm_created_from app/jre64

install_runtime --java-dll app
use_stub_log
start_launcher
expect_exit_without_dialog 0
assert_jvm_created_from app

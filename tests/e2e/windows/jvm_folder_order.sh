#!/usr/bin/env bash
# Which bin\<VM>\jvm.dll of a runtime folder is used: client, classic, hotspot,
# server, jrockit, the first that exists; "JVM Type"=favor_server tries server
# first, and "JVM Type"=server takes nothing but server.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
: >"$SCENARIO_DIR/app.jar"
for vm in jrockit server hotspot classic client; do install_runtime --vm "$vm" jre; done

# run_with_type TYPE: runs the launcher with that "JVM Type" (none if empty).
run_with_type() {
  use_stub_log
  write_stub_settings "JVM Type=$1"
  start_launcher
}

run_with_type favor_server
expect_exit_without_dialog 0
assert_jvm_created_from jre server

for vm in client classic hotspot server jrockit; do
  run_with_type ""
  expect_exit_without_dialog 0
  assert_jvm_created_from jre "$vm"
  rm -r "$SCENARIO_DIR/jre/bin/$vm"
done

install_runtime --vm client jre
run_with_type favor_server
expect_exit_without_dialog 0
assert_jvm_created_from jre client

# Only a client JVM: "server" finds no runtime, and asks for one.
run_with_type server
decline_runtime_question
assert_log_lacks JNI_CreateJavaVM

#!/usr/bin/env bash
# "JRE Path" names the runtime folder, with or without a closing backslash, and
# needs no version bounds. A folder there without a JVM library is passed over
# without a word, and the registered runtime is used instead.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
: >"$SCENARIO_DIR/app.jar"
install_runtime "chosen jre"

for jre_path in "$(win_path "$SCENARIO_DIR/chosen jre")" "$(win_path "$SCENARIO_DIR/chosen jre")\\"; do
  use_stub_log
  write_settings <<INI
[Java Runtime Environment]
JRE Path=$jre_path
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
INI
  start_launcher
  expect_exit_without_dialog 0
  assert_jvm_created_from "chosen jre"
done

mkdir -p "$SCENARIO_DIR/empty jre/bin/server"
install_runtime registered
register_runtime 11 registered
use_stub_log
write_settings <<INI
[Java Runtime Environment]
JRE Path=$(win_path "$SCENARIO_DIR/empty jre")
Maximum Version=any
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
INI
start_launcher
expect_exit_without_dialog 0
assert_jvm_created_from registered

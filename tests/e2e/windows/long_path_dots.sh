#!/usr/bin/env bash
# Below a folder deeper than MAX_PATH, paths with ".." still work: the class
# path entry ..\lib\*.jar finds the jars beside the launcher's folder, and a
# "JRE Path" through ".." finds and loads the runtime.
source "$(dirname "$0")/../lib.sh"
begin_scenario

folder=a_folder_with_a_long_name_to_push_the_path_beyond_max_path
deep="$folder/$folder/$folder/$folder/$folder"
install_launcher "$deep/app/launcher.exe"
install_runtime "$deep/jre"
mkdir -p "$SCENARIO_DIR/$deep/lib"
: >"$SCENARIO_DIR/$deep/lib/a.jar"
: >"$SCENARIO_DIR/$deep/lib/b.jar"
app=$(win_path "$SCENARIO_DIR/$deep/app")
jre="$app\\..\\jre"
[ ${#jre} -gt 260 ] || fail "the runtime's path is only ${#jre} characters long"

use_stub_log
write_settings <<INI
[Java Runtime Environment]
JRE Path=$jre
[Class Path]
Class Path=..\\lib\\*.jar;.\\..\\lib\\a.jar
[Application]
Main Class=com.example.Main
INI
start_launcher
expect_exit_without_dialog 0
assert_jvm_created_from "$deep/jre"
assert_log_has "option index=0 text=$(quote "-Djava.class.path=$app\\..\\lib\\a.jar;$app\\..\\lib\\b.jar;$app\\.\\..\\lib\\a.jar") extraInfo=null"

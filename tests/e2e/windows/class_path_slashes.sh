#!/usr/bin/env bash
# Class path entries written with "/" (lib/app.jar, Z:/libs/*.jar, /lead/*.jar)
# are found and named in their own folder, as those written with "\" are; so is
# a "JRE Path" written with "/".
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher app/launcher.exe
install_runtime jre
mkdir -p "$SCENARIO_DIR/app/lib" "$SCENARIO_DIR/app/lead" "$SCENARIO_DIR/libs"
: >"$SCENARIO_DIR/app/lib/app.jar"
: >"$SCENARIO_DIR/app/lead/b.jar"
: >"$SCENARIO_DIR/libs/c.jar"
: >"$SCENARIO_DIR/libs/d.jar"
app=$(win_path "$SCENARIO_DIR/app")
libs=$(win_path "$SCENARIO_DIR/libs")
libs_slashed=${libs//\\//}
jre_slashed=$(win_path "$SCENARIO_DIR/jre")
jre_slashed=${jre_slashed//\\//}

use_stub_log
write_settings <<INI
[Java Runtime Environment]
JRE Path=$jre_slashed/
[Class Path]
Class Path=lib/app.jar;$libs_slashed/*.jar;/lead/*.jar;lib/*.jar
[Application]
Main Class=com.example.Main
INI
start_launcher
expect_exit_without_dialog 0
assert_log_has "option index=0 text=$(quote "-Djava.class.path=$app\\lib/app.jar;$libs_slashed/c.jar;$libs_slashed/d.jar;$app/lead/b.jar;$app\\lib/app.jar") extraInfo=null"
assert_jvm_created_from jre

#!/usr/bin/env bash
# main receives the command-line arguments exactly (spaces, an empty one, a
# trailing backslash, accented, CJK and astral characters), then the pieces of
# "Cmd". Then the thread detaches and the JVM is destroyed.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
write_stub_settings "" "Cmd=-first  \"second piece\" third"

use_stub_log
start_launcher "two words" "" "é中😀" 'C:\dir\' -last
expect_exit_without_dialog 0
assert_log_has 'CallStaticVoidMethod class="com/example/Main" name="main" signature="([Ljava/lang/String;)V" args=8'
assert_log_events arg <<'LOG'
arg index=0 text="two words"
arg index=1 text=""
arg index=2 text="é中😀"
arg index=3 text="C:\\dir\\"
arg index=4 text="-last"
arg index=5 text="-first"
arg index=6 text="second piece"
arg index=7 text="third"
LOG
assert_log_order 'DetachCurrentThread exception=null result=0' 'DestroyJavaVM result=0'

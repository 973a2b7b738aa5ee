#!/usr/bin/env bash
# Only a runtime registered by IBM keeps the JVM thread after main: the process
# then ends only through System.exit. Admitting IBM runtimes ("VM Provider=any")
# while another vendor's runtime is chosen lets the launcher end when main returns.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
install_runtime jre
: >"$SCENARIO_DIR/app.jar"
main_call='CallStaticVoidMethod class="com/example/Main" name="main" signature="([Ljava/lang/String;)V" args=0'

# run_with PROVIDER: runs the launcher with that "VM Provider" and any version admitted.
run_with() {
  use_stub_log
  write_settings <<INI
[Java Runtime Environment]
Maximum Version=any
VM Provider=$1
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
INI
  start_launcher
}

register_runtime 1.8 jre
for provider in any favor_ibm favor_sun; do
  run_with "$provider"
  expect_exit_without_dialog 0
  assert_log_order "$main_call" 'DetachCurrentThread exception=null result=0' 'DestroyJavaVM result=0'
done
reg_delete 'HKLM\Software\JavaSoft\Java Runtime Environment\1.8'

reg_add 'HKLM\Software\IBM\Java2 Runtime Environment\1.8' JavaHome "$(win_path "$SCENARIO_DIR/jre")"
use_trace
run_with ibm
# Written once main has returned, instead of detaching the thread.
wait_for_trace_line "main-thread-kept the process ends only through System.exit"
assert_log_has "$main_call"
launcher_running || fail "the launcher ended after main returned on an IBM runtime"
assert_log_lacks DetachCurrentThread
assert_log_lacks DestroyJavaVM
stop_process LAUNCHER_PID

#!/usr/bin/env bash
# A trace file that cannot be written (its folder does not exist, or it is a
# folder) never changes how the start ends; an empty QX_LAUNCHER_TRACE traces
# nothing.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
write_stub_settings
mkdir -p "$SCENARIO_DIR/a folder"

export QX_LAUNCHER_TRACE
for QX_LAUNCHER_TRACE in "$(win_path "$SCENARIO_DIR/missing/trace.log")" "$(win_path "$SCENARIO_DIR/a folder")" ""; do
  use_stub_log
  start_launcher
  expect_exit_without_dialog 0
  assert_jvm_created_from jre
  assert_log_has 'DestroyJavaVM result=0'
done
[ ! -e "$SCENARIO_DIR/missing" ] || fail "the trace made a folder"
[ -z "$(ls -A "$SCENARIO_DIR/a folder")" ] || fail "the trace wrote into the folder"

# The same with a failing start: the same message and exit code.
export STUB_JVM_CREATE_RESULT=-6
QX_LAUNCHER_TRACE=$(win_path "$SCENARIO_DIR/missing/trace.log")
start_launcher
expect_dialog
assert_control_text 65535 $'JNI exception: failed to create the Java VM\nReason: invalid arguments.\n'
press_button 1
expect_exit 255

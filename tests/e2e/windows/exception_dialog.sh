#!/usr/bin/env bash
# With "Failure Check" on, an exception that main does not catch is shown in
# the "Java Exception" dialog: its whole stack trace, exactly as
# printStackTrace writes it, in a read-only text box with scroll bars. Ignore
# (or Enter) lets the application go on; Stop (or Escape, or the close box)
# ends it through System.exit(-1). Whatever the answer, the trace reaches the
# application's System.err, here the "Error File".
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
write_stub_settings "" $'Failure Check=Yes\nError File=err.txt'
TRACE=$'java.lang.IllegalStateException: Grüße aus Köln, 日本語, 😀\r\n'
for ((i = 1; i <= 30; i++)); do TRACE+=$'\tat com.example.Layer'"$i"'.call(Layer'"$i"$'.java:42)\r\n'; done
TRACE+=$'Caused by: java.io.IOException: a cause whose message is much longer than the text box is wide, so that the box scrolls across\r\n\t... 30 more\r\n'
export STUB_JVM_MAIN_THROWS="$TRACE"

# The runtime reports the exception itself as the thread detaches; Stop has it
# described first. Either way System.err holds the trace.
assert_error_file_holds_trace() {
  [ -f "$SCENARIO_DIR/err.txt" ] || fail "no error file"
  grep -qF -- "$(printf '%s' "$TRACE" | head -n1)" "$SCENARIO_DIR/err.txt" || fail "the error file lacks the trace"
  [[ $(cat "$SCENARIO_DIR/err.txt"; printf x) == *"${TRACE}x" ]] || fail "the error file does not end with the whole trace"
}

# Runs the application until the dialog shows.
start_and_expect_dialog() {
  use_stub_log
  rm -f "$SCENARIO_DIR/err.txt"
  start_launcher
  expect_dialog --caption "Java Exception"
}

expect_ignored() {
  expect_exit 0
  assert_log_order 'DetachCurrentThread exception="java/lang/RuntimeException" result=0' 'DestroyJavaVM result=0'
  assert_log_lacks 'name="exit"'
  assert_error_file_holds_trace
}

expect_stopped() {
  expect_exit 255
  assert_log_order 'ExceptionDescribe class="java/lang/RuntimeException"' \
    'CallStaticVoidMethod class="java/lang/System" name="exit" signature="(I)V" code=-1' "exit code=-1"
  assert_error_file_holds_trace
}

start_and_expect_dialog
assert_control_text 210 "The java process has thrown the following uncaught exception:"
assert_control_text 211 "Press Ignore to continue and ignore the exception or press Stop to close the application."
assert_control_text 212 "WARNING: If you choose to Stop the application any unsaved data will be lost."
assert_control_text 209 "Uncaught Exception"
assert_control_text 1 "Ignore"
assert_control_text 2 "Stop"
assert_control_text 208 "$TRACE"
assert_buttons 1 2 209
assert_control_icon 204 hand
read_geometry
ES_READONLY=0x800 ES_MULTILINE=0x4 WS_VSCROLL=0x200000 WS_HSCROLL=0x100000
style=$(geometry_field style 208)
for bit in $ES_READONLY $ES_MULTILINE $WS_VSCROLL $WS_HSCROLL; do
  ((style & bit)) || fail "the text box's style $style lacks $bit"
done
press_button 1
expect_ignored

# Enter answers Ignore: the first tab stop, Ignore, has the focus.
start_and_expect_dialog
drive_dialog key --vk RETURN
expect_ignored

start_and_expect_dialog
press_button 2
expect_stopped

start_and_expect_dialog
drive_dialog key --vk ESCAPE
expect_stopped

start_and_expect_dialog
drive_dialog close
expect_stopped

# A trace whose printStackTrace writes nothing shows no dialog: the exception
# counts as ignored.
export STUB_JVM_MAIN_THROWS=
use_stub_log
start_launcher
expect_exit_without_dialog 0
assert_log_lacks 'name="exit"'

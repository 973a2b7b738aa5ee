#!/usr/bin/env bash
# The probe application on a real JVM: main is found and gets the command-line
# arguments exactly (spaces, an empty one, non-ASCII and astral characters, a
# trailing backslash) followed by the pieces of "Cmd" (quotes group, a quote
# inside a piece is kept); the exit code is 0 when main returns and n after
# System.exit(n). A main class the JVM cannot find is reported in a message
# box after the JVM's own exception; a class without main only by the JVM's
# exception; both end with -1. An exception that main throws is printed by the JVM (exit 0)
# without "Failure Check"; with it, the "Java Exception" dialog shows the stack
# trace that the JVM's printStackTrace wrote, the same text the error file
# gets: Ignore ends the run with 0, Stop with -1.
source "$(dirname "$0")/../../lib.sh"
source "$(dirname "$0")/../../lib/java_probe.sh"
begin_scenario

install_probe
write_probe_settings probe.Probe 'Cmd=say"hi" "two words" ""'
arguments=(arguments "a b" "" "é中😀" 'C:\dir\' -nosplash)
start_launcher "${arguments[@]}"
expect_exit_without_dialog 0
arguments+=('say"hi"' "two words")
expected="count ${#arguments[@]}"
for ((i = 0; i < ${#arguments[@]}; i++)); do
  expected+=$'\n'"argument $i:$(code_units "${arguments[i]}")"
done
assert_lines_are "$SCENARIO_DIR/stdout.txt" "$expected"

write_probe_settings probe.Probe
start_launcher exit 7
expect_exit_without_dialog 7

write_probe_settings probe.Missing
start_launcher
expect_dialog
assert_control_text 65535 $'Could not find the main class probe/Missing.\n'
press_button 1
expect_exit 255
assert_stderr_has 'java.lang.NoClassDefFoundError: probe/Missing'

write_probe_settings probe.NoMain
start_launcher
expect_exit_without_dialog 255
assert_stderr_has 'java.lang.NoSuchMethodError'

write_probe_settings probe.Probe
start_launcher throw
expect_exit_without_dialog 0
assert_stderr_has 'java.lang.IllegalStateException: thrown by main'

# The JVM writes System.err in UTF-8 (characters beyond the BMP in CESU-8), so
# the message keeps to the BMP for the error file to be compared as text.
write_probe_settings probe.Probe $'Failure Check=Yes\nError File=err.txt'
for answer in ignore stop; do
  rm -f "$SCENARIO_DIR/err.txt"
  start_launcher throw-text "Grüße aus Köln, 日本語"
  expect_dialog --caption "Java Exception"
  [[ $(control_field 208 text) == *'java.lang.IllegalStateException: Grüße aus Köln, 日本語\r\n'*probe.Probe.main* ]] ||
    fail "the dialog does not show the stack trace: $(control_field 208 text)"
  if [ "$answer" = ignore ]; then
    press_button 1
    expect_exit 0
  else
    press_button 2
    expect_exit 255
  fi
  # Whatever the answer, System.err ends with the trace the dialog showed
  # (after "Exception in thread ..." when the JVM reports it on Ignore).
  trace=$(cat "$SCENARIO_DIR/err.txt" && printf x) || fail "no error file"
  shown=$(control_field 208 text) || exit 1
  [[ $(quote "${trace%x}") == *"${shown#\"}" ]] || fail "the error file does not end with the dialog's trace: ${trace%x}"
done

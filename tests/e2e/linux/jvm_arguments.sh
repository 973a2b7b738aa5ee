#!/usr/bin/env bash
# Command-line arguments reach main exactly, whatever characters they hold,
# followed by the pieces of "Cmd".
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../probe_lib.sh"
begin_scenario

install_launcher launcher
install_probe
write_settings <<INI
[Application]
Main Class=probe.Probe
Cmd=extra "two words"
[Class Path]
Class Path=probe.jar
[Java Runtime Environment]
JRE Path=$JDK_HOME
INI

arguments=(arguments "a b" 'say "hi"' "" "é中" "😀" "-nosplash")
start_launcher "${arguments[@]}"
expect_exit 0
expected="count 9"
for ((i = 0; i < ${#arguments[@]}; i++)); do
  expected+=$'\n'"argument $i:$(code_units "${arguments[i]}")"
done
expected+=$'\n'"argument 7:$(code_units extra)"$'\n'"argument 8:$(code_units "two words")"
assert_stdout_is "$expected"

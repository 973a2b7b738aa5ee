#!/usr/bin/env bash
# Command-line arguments reach main exactly, whatever characters they hold,
# followed by the pieces of "Cmd".
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
write_probe_settings probe.Probe "Cmd=extra \"two words\""

arguments=(arguments "a b" 'say "hi"' "" "é中" "😀" "-nosplash")
start_launcher "${arguments[@]}"
expect_exit 0
expected="count 9"
for ((i = 0; i < ${#arguments[@]}; i++)); do
  expected+=$'\n'"argument $i:$(code_units "${arguments[i]}")"
done
expected+=$'\n'"argument 7:$(code_units extra)"$'\n'"argument 8:$(code_units "two words")"
assert_stdout_is "$expected"

#!/usr/bin/env bash
# "VM Provider" values that admit IBM runtimes do not keep the launcher running
# after main returns when the runtime chosen is not an IBM one: from "JRE Path"
# and from the installed runtimes, the launcher ends with main.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
for provider in any ibm favor_ibm; do
  write_probe_settings probe.Probe "" "VM Provider=$provider"
  start_launcher arguments hello
  expect_exit 0 20
  assert_stdout_is $'count 2\nargument 0: 0061 0072 0067 0075 006d 0065 006e 0074 0073\nargument 1: 0068 0065 006c 006c 006f'
done

write_installed_probe_settings "VM Provider=any"
start_launcher arguments
expect_exit 0 20
assert_stdout_has "count 1"

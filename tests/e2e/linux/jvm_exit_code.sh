#!/usr/bin/env bash
# System.exit(n) in the application ends the launcher with n.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
write_probe_settings probe.Probe

start_launcher exit 3
expect_exit 3

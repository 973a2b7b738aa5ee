#!/usr/bin/env bash
# "App User Model ID": the launcher names its process to the taskbar before
# any window, the splash included. Wine stores nothing that could be read back
# but names the call and its argument in its shcore debug channel, on the
# process's standard error. An id the taskbar would refuse is not set, and the
# trace says why.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/splash.sh"
begin_scenario
install_stub_application
copy_picture quadrants.bmp
use_trace
export WINEDEBUG=-all,fixme+shcore

write_stub_settings "" "App User Model ID=Example.Viewer.Main
[Display]
Splash Screen=quadrants.bmp"
start_launcher
expect_exit_without_dialog 0
assert_stderr_has 'fixme:shcore:SetCurrentProcessExplicitAppUserModelID L"Example.Viewer.Main": stub'
assert_trace_order 'app-user-model-id set="Example.Viewer.Main"' 'splash shown-by=own-window'

for id in "Example Viewer" "Viewer" "Example..Viewer" "A.$(printf 'b%.0s' {1..127})"; do
  write_stub_settings "" "App User Model ID=$id"
  start_launcher
  expect_exit_without_dialog 0
  assert_stderr_lacks "SetCurrentProcessExplicitAppUserModelID"
  trace_lines app-user-model-id | grep -q "^app-user-model-id ignored=$(quote "$id") " ||
    fail "the trace does not say that [$id] was ignored"
done

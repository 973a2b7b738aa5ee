#!/usr/bin/env bash
# Starts that run their own JVM although "Single Instance" asks for one: in
# service mode, with "Yes" written in capitals, and from another executable
# path (another folder, or a name that differs only in letter case).
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_stub_application

# ordinary_with LINES [COPY]: with these [Application] lines, a second start (of
# the launcher, or of a copy at COPY with the same settings) runs a JVM of its
# own while the first one waits in main; both end once released.
ordinary_with() {
  local lines=$1 second=$LAUNCHER
  use_stub_log
  write_stub_settings "" "$lines"
  if [ $# -gt 1 ]; then
    second="$SCENARIO_DIR/$2"
    mkdir -p "$(dirname "$second")"
    cp "$LAUNCHER" "$second" && cp "$(settings_path_of "$LAUNCHER")" "$(settings_path_of "$second")" &&
      cp "$SCENARIO_DIR/app.jar" "$(dirname "$second")/app.jar" 2>/dev/null
  fi
  start_first_instance
  start_launcher_at "$second" other
  local deadline=$((SECONDS + E2E_EXIT_TIMEOUT))
  until [ "$(log_events main-waiting | wc -l)" -ge 2 ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the second start did not run main with [$lines] ${2:-}"
    sleep 0.05
  done
  release_first_instance
  expect_exit_without_dialog 0
  expect_second_exit other 0
  assert_equals 2 "$(log_events JNI_CreateJavaVM | wc -l)" "JVMs created with [$lines] ${2:-}"
}

ordinary_with $'Single Instance=yes\nApplication Type=service'
ordinary_with "Single Instance=Yes"
ordinary_with "Single Instance=yes" copy/launcher.exe
ordinary_with "Single Instance=yes" Launcher.exe

#!/usr/bin/env bash
# Starts that run their own JVM although "Single Instance" asks for one: in
# service mode, with "Yes" written in capitals, and from another executable
# path (another folder, or a name that differs only in letter case).
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/application.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_application

# ordinary_with LINES [COPY]: with these [Application] lines, a second start (of
# the launcher, or of a copy at COPY with the same settings) runs main in a JVM
# of its own while the first one waits in main; both end once released.
ordinary_with() {
  local lines=$1 second=$LAUNCHER
  write_secondary_settings int "$lines"
  if [ $# -gt 1 ]; then
    second="$SCENARIO_DIR/$2"
    mkdir -p "$(dirname "$second")"
    cp "$LAUNCHER" "$second" && cp "$(settings_path_of "$LAUNCHER")" "$(settings_path_of "$second")" ||
      fail "cannot copy the launcher to $second"
    [ -e "$(dirname "$second")/$APPLICATION_JAR" ] || cp "$SCENARIO_DIR/$APPLICATION_JAR" "$(dirname "$second")/"
  fi
  start_first_instance
  start_own_instance_at "$second" other
  release_first_instance
  expect_exit_without_dialog 0
  expect_second_exit other 0
  if [ "$E2E_PLATFORM" = windows ]; then
    assert_equals 2 "$(log_events JNI_CreateJavaVM | wc -l)" "JVMs created with [$lines] ${2:-}"
  fi
}

ordinary_with $'Single Instance=yes\nApplication Type=service'
ordinary_with "Single Instance=Yes"
ordinary_with "Single Instance=yes" "copy/$(launcher_file launcher)"
ordinary_with "Single Instance=yes" "$(launcher_file Launcher)"

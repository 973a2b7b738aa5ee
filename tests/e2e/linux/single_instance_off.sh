#!/usr/bin/env bash
# Starts that run their own JVM although "Single Instance" asks for one: in
# service mode, with "Yes" written in capitals, and from another executable path.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/instance.sh"
begin_scenario

install_probe

# ordinary_with LINES [COPY]: with these [Application] lines, a second start (of
# the launcher, or of a copy at COPY with the same settings) runs main itself.
ordinary_with() {
  local lines=$1 second=$LAUNCHER
  write_probe_settings probe.SecondaryInt "$lines"
  if [ $# -gt 1 ]; then
    second="$SCENARIO_DIR/$2"
    mkdir -p "$(dirname "$second")"
    cp "$LAUNCHER" "$second" && cp "$(settings_path_of "$LAUNCHER")" "$(settings_path_of "$second")" &&
      cp "$SCENARIO_DIR/probe.jar" "$(dirname "$second")/probe.jar"
  fi
  : >"$SCENARIO_DIR/stdout.txt"
  start_first_instance
  start_launcher_at "$second" other "$GO_FILE"
  local deadline=$((SECONDS + E2E_EXIT_TIMEOUT))
  until grep -qx 'main started' "$SCENARIO_DIR/other.out" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the second start did not run main with [$lines] ${2:-}"
    sleep 0.05
  done
  release_first_instance
  expect_exit 0
  expect_second_exit other 0
}

ordinary_with $'Single Instance=yes\nApplication Type=service'
ordinary_with "Single Instance=Yes"
ordinary_with "Single Instance=yes" copy/launcher

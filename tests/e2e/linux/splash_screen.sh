#!/usr/bin/env bash
# The splash on Linux is the runtime's own library (lib/libsplashscreen.so of
# the chosen runtime), whatever "Preffer Native Splash Screen" says: on a
# display of the scenario's own, the picture shows centred while main runs and
# is gone once it has ended. Without a display, without the library, or with
# "-nosplash", the application runs as usual and nothing shows.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/splash.sh"
begin_scenario
start_display
install_probe
copy_picture quadrants.png
go="$SCENARIO_DIR/main-go"

# The 80x60 picture on the 1024x768 screen starts at 472,354; the area read
# has a border of one pixel around it.
area=(471 353 82 62)
screen_pixels "$SCENARIO_DIR/empty-screen.txt" "${area[@]}"
assert_equals 1 "$(cut -d' ' -f3 "$SCENARIO_DIR/empty-screen.txt" | sort -u | wc -l)" "colours of the empty screen"
background=$(colour_at "$SCENARIO_DIR/empty-screen.txt" 0 0)
# The quadrants' corners (red, green, blue, yellow) and the border around them.
picture_points=(1 1 FF0000 40 30 FF0000 41 1 00C000 80 30 00C000 1 31 0000FF 40 60 0000FF 41 31 FFFF00 80 60 FFFF00
  0 0 "$background" 81 0 "$background" 0 61 "$background" 81 61 "$background" 40 0 "$background" 0 30 "$background")

# start_waiting MAIN_COMMAND [ARGUMENTS...]: starts the probe, whose main then
# waits for the file go, and waits until main has started.
start_waiting() {
  rm -f "$go"
  start_launcher "$1" "$go" "${@:2}"
  local deadline=$((SECONDS + E2E_EXIT_TIMEOUT))
  until grep -q '^main started$' "$SCENARIO_DIR/stdout.txt"; do
    launcher_running || fail "the launcher ended before main started"
    [ "$SECONDS" -lt "$deadline" ] || fail "main did not start within $E2E_EXIT_TIMEOUT s"
    sleep 0.05
  done
}

# The screen shows nothing of the picture.
assert_screen_empty() {
  screen_pixels "$SCENARIO_DIR/screen.txt" "${area[@]}"
  cmp -s "$SCENARIO_DIR/empty-screen.txt" "$SCENARIO_DIR/screen.txt" || fail "the screen shows something"
}

for prefer in "" "Preffer Native Splash Screen=No" "Preffer Native Splash Screen=Yes"; do
  log "the runtime's splash, [$prefer]"
  write_probe_settings probe.Probe "[Display]
Splash Screen=quadrants.png
$prefer"
  use_trace
  start_waiting wait
  assert_trace_has "splash shown-by=runtime-library"
  wait_for_screen "${area[@]}" "${picture_points[@]}"
  : >"$go"
  expect_exit 0
  assert_screen_empty
done

log "main throws"
start_waiting wait-throw
wait_for_screen "${area[@]}" "${picture_points[@]}"
: >"$go"
expect_exit 0
assert_stderr_has "java.lang.IllegalStateException: thrown after waiting"
assert_screen_empty

log "-nosplash"
use_trace
start_waiting wait -nosplash
assert_trace_has "splash shown-by=none"
assert_screen_empty
: >"$go"
expect_exit 0

log "no display"
(
  unset DISPLAY
  start_waiting wait
  : >"$go"
  expect_exit 0
) || exit 1
assert_stderr_is ""

log "a runtime without the library"
cp -rs "$JDK_HOME" "$SCENARIO_DIR/jdk" || fail "cannot copy the runtime"
rm "$SCENARIO_DIR/jdk/lib/libsplashscreen.so"
write_probe_runtime_settings "JRE Path=$SCENARIO_DIR/jdk" "[Display]" "Splash Screen=quadrants.png"
use_trace
start_waiting wait
assert_trace_has "splash shown-by=none"
assert_screen_empty
: >"$go"
expect_exit 0
assert_stderr_is ""
# It was that runtime that ran.
start_launcher environment
expect_exit 0
assert_stdout_has "QX_JVM_HOME=$SCENARIO_DIR/jdk"

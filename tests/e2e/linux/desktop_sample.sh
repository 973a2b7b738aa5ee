#!/usr/bin/env bash
# The Swing desktop sample runs through the launcher on a display of the
# scenario's own, with the start-up cache off, on its first start and warm:
# each time its frame is painted (the screen where the 800x600 frame sits
# is not one colour) and the time of that paint is written.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/splash.sh"
source "$(dirname "$0")/../lib/startup_cache.sh"
require_variables E2E_DESKTOP_DIR
begin_cache_scenario
start_display
install_launcher desktop
cp "$E2E_DESKTOP_DIR/desktop.jar" "$SCENARIO_DIR/" || fail "cannot copy desktop.jar"
paint_file="$SCENARIO_DIR/first-paint.txt"
# The frame, centred on the 1024x768 screen.
frame=(112 84 800 600)

# run_desktop NAME: starts the sample, waits for its first paint, checks the
# frame's pixels, closes it.
run_desktop() {
  rm -f "$paint_file"
  start_launcher
  local deadline=$((SECONDS + E2E_EXIT_TIMEOUT))
  until [ -s "$paint_file" ]; do
    launcher_running || fail "the launcher ended before the frame was painted"
    [ "$SECONDS" -lt "$deadline" ] || fail "no paint within $E2E_EXIT_TIMEOUT s"
    sleep 0.05
  done
  grep -Eq '^paint [0-9]+ [0-9]+$' "$paint_file" || fail "paint file: $(cat "$paint_file")"
  screen_pixels "$SCENARIO_DIR/$1-frame.txt" "${frame[@]}"
  local colours
  colours=$(cut -d' ' -f3 "$SCENARIO_DIR/$1-frame.txt" | sort -u | wc -l)
  [ "$colours" -ge 5 ] || fail "the frame shows $colours colours: blank"
  log "$1: $(cat "$paint_file"), $colours colours"
  # Closed as a desktop closes it, so that the runtime ends in order and
  # the launcher's work after the end (the cache's build) runs.
  kill -TERM "$LAUNCHER_PID"
  collect_exit
}

for cache in No Yes; do
  write_settings <<INI
[Product Information]
Product Name=Cache Test
Product Code=7
[Application]
Main Class=com.example.desktop.DesktopSample
[Class Path]
Class Path=desktop.jar
[Java Runtime Environment]
JRE Path=$JDK_HOME
Start-up Cache=$cache
Virtual Machine Parameters="-Ddesktop.firstPaintFile=$paint_file"
INI
  run_desktop "cache-$cache"
done
[ -e "$XDG_CACHE_HOME" ] || fail "no cache folder after a start with the cache on"
wait_for_cache_builds
[ -n "$(cache_archives)" ] || fail "no archive built"
run_desktop cache-warm

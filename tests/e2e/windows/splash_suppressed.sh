#!/usr/bin/env bash
# "-nosplash" or "/nosplash" (exactly so written), or an empty "Splash Screen",
# show no splash: no window, no splash thread, no call into the runtime's splash
# library. The arguments still reach main.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/splash.sh"
begin_scenario
install_stub_application
install_splash_library jre
use_stub_log
use_splash_log
main_waits
copy_picture quadrants.bmp

# run_waiting PICTURE PREFER ARGUMENTS...: starts the application and waits for main.
run_waiting() {
  local picture=$1 prefer=$2
  shift 2
  write_stub_settings "" "[Display]
Splash Screen=$picture
Preffer Native Splash Screen=$prefer"
  : >"$STUB_LOG"
  rm -f "$MAIN_WAIT_FILE"
  start_launcher "$@"
  wait_for_main
}

finish() {
  release_main
  expect_exit_without_dialog 0
}

# The threads of a start with the launcher's own window, to compare with.
# main waits only after the splash window (if any) and its thread are made,
# so what is counted or missed then is final.
run_waiting quadrants.bmp No
expect_splash_window
with_splash=$(launcher_threads)
log "$with_splash threads with a splash window"
finish

for suppress in "-nosplash" "/nosplash"; do
  for prefer in No Yes; do
    log "$suppress, native splash preferred: $prefer"
    run_waiting quadrants.bmp "$prefer" first "$suppress" last
    expect_no_splash_window 0
    assert_equals $((with_splash - 1)) "$(launcher_threads)" "threads of the launcher"
    assert_log_lacks "Splash"
    assert_log_events arg <<LOG
arg index=0 text="first"
arg index=1 text="$suppress"
arg index=2 text="last"
LOG
    finish
  done
done

log "an empty \"Splash Screen\""
run_waiting "" Yes
expect_no_splash_window 0
assert_equals $((with_splash - 1)) "$(launcher_threads)" "threads of the launcher"
assert_log_lacks "Splash"
finish

# Letter case counts, and the whole argument must match.
for argument in "-NOSPLASH" "/NoSplash" "-nosplash2" "nosplash"; do
  log "$argument is not the option"
  run_waiting quadrants.bmp No "$argument"
  expect_splash_window
  finish
done

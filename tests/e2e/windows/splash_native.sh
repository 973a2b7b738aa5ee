#!/usr/bin/env bash
# The runtime's own splash library (bin\splashscreen.dll, here the stand-in
# that logs into the stub runtime's log): when "Preffer Native Splash Screen"
# is Yes, it is called in order with the picture's path, no window of the
# launcher's own shows, and it is closed after the JVM is destroyed, or once
# the failure of the JVM thread has been reported. A library that lacks an
# entry point, or none at all, gives the launcher's own window.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/splash.sh"
begin_scenario
install_stub_application
use_stub_log
use_splash_log
copy_picture quadrants.bmp
picture=$(quote "$(win_path "$SCENARIO_DIR/quadrants.bmp")")

# write_splash_settings PREFER_LINE: the stub application with the picture
# named by its full path; an empty log, and main waits again.
write_splash_settings() {
  write_stub_settings "" "[Display]
Splash Screen=$(win_path "$SCENARIO_DIR/quadrants.bmp")
$1"
  : >"$STUB_LOG"
  [ -z "$MAIN_WAIT_FILE" ] || rm -f "$MAIN_WAIT_FILE"
}

log "the library shows the splash"
install_splash_library jre
main_waits
write_splash_settings "Preffer Native Splash Screen=yEs"
start_launcher
wait_for_main
expect_no_splash_window 0
# Before anything is asked of the JVM library.
assert_equals "SplashInit
SplashLoadFile file=$picture
SplashSetFileJarName file=$picture jar=\"\"" "$(head -n 3 "$STUB_LOG")" "the first lines of the log"
assert_log_lacks "SplashClose"
release_main
expect_exit_without_dialog 0
assert_log_order "main-resumed" "DestroyJavaVM result=0" "SplashClose"
assert_log_events SplashClose <<<"SplashClose"
unset STUB_JVM_MAIN_WAIT_FILE
MAIN_WAIT_FILE=

log "a picture whose name is not ASCII reaches the library in the ANSI code page"
copy_picture quadrants.bmp "splash-é.bmp"
write_stub_settings "" "[Display]
Splash Screen=splash-é.bmp
Preffer Native Splash Screen=Yes"
# UTF-8 with a byte-order mark, so that the name is read as written.
sed -i '1s/^/\xEF\xBB\xBF/' "$(settings_path_of "$LAUNCHER")"
: >"$STUB_LOG"
start_launcher
expect_exit_without_dialog 0
picture=$(quote "$(win_path "$SCENARIO_DIR/splash-é.bmp")")
assert_log_has "SplashLoadFile file=$picture"
assert_log_has "SplashSetFileJarName file=$picture jar=\"\""

log "a picture whose name the code page lacks reaches the library by its short name"
mkdir -p "$SCENARIO_DIR/日本 Ω"
copy_picture quadrants.bmp "日本 Ω/splash.bmp"
write_stub_settings "" "[Display]
Splash Screen=日本 Ω\splash.bmp
Preffer Native Splash Screen=Yes"
sed -i '1s/^/\xEF\xBB\xBF/' "$(settings_path_of "$LAUNCHER")"
: >"$STUB_LOG"
use_trace
start_launcher
expect_exit_without_dialog 0
loaded=$(grep '^SplashLoadFile file=' "$STUB_LOG") || fail "the library was given no picture: $(cat "$STUB_LOG")"
[[ $loaded != *'?'* && $loaded == *'~'*'splash.bmp"' ]] || fail "the picture did not arrive by its short name: $loaded"
assert_trace_has "splash shown-by=runtime-library"
unset QX_LAUNCHER_TRACE

log "the JVM is not created: the library closes after the report, once"
export STUB_JVM_CREATE_RESULT=-1
write_splash_settings "Preffer Native Splash Screen=Yes"
start_launcher
expect_dialog --geometry
[[ $(first_dialog | head -n1) == *' owner=0 owner-class="" '* ]] || fail "the message box has an owner"
assert_log_lacks "SplashClose"
press_button 1
expect_exit 255
assert_log_events SplashClose <<<"SplashClose"
unset STUB_JVM_CREATE_RESULT

log "a library without SplashSetFileJarName"
install_splash_library --no-jar-name jre
main_waits
write_splash_settings "Preffer Native Splash Screen=Yes"
start_launcher
wait_for_main
expect_splash_window
assert_splash rect=472,354,552,414
assert_log_lacks "SplashInit"
release_main
expect_exit_without_dialog 0
# Its SplashClose was found first and is kept all the same.
assert_log_events SplashClose <<<"SplashClose"

log "the library is there, but not preferred"
install_splash_library jre
for prefer in "Preffer Native Splash Screen=No" "Prefer Native Splash Screen=Yes" ""; do
  write_splash_settings "$prefer"
  start_launcher
  wait_for_main
  expect_splash_window
  release_main
  expect_exit_without_dialog 0
  assert_log_lacks "Splash"
done

log "preferred, but the runtime has no library"
rm "$SCENARIO_DIR/jre/bin/splashscreen.dll"
write_splash_settings "Preffer Native Splash Screen=Yes"
start_launcher
wait_for_main
expect_splash_window
release_main
expect_exit_without_dialog 0

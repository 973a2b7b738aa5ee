#!/usr/bin/env bash
# When the launcher's own splash window goes: as soon as main has returned or
# thrown, even when the JVM thread then never ends (IBM runtimes: the process
# ends only through System.exit); and not before a failure that stops the
# start has been reported, in a message box that the splash window owns.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/splash.sh"
begin_scenario
install_stub_application
use_stub_log
copy_picture quadrants.bmp

# The owner's class of the dialog that expect_dialog --geometry listed.
dialog_owner_class() {
  local line
  line=$(first_dialog | head -n1) || exit 1
  [[ $line =~ \ owner-class=(\"[^\"]*\") ]] || fail "no owner-class in [$line]"
  printf '%s' "${BASH_REMATCH[1]}"
}

# On a runtime registered by IBM the JVM thread sleeps after main, and the
# launcher never reaches its clean-up: the window must go on the JVM thread.
reg_add 'HKLM\Software\IBM\Java2 Runtime Environment\1.8' JavaHome "$(win_path "$SCENARIO_DIR/jre")"
main_waits
for outcome in returns throws; do
  log "main $outcome, the JVM thread stays"
  unset STUB_JVM_MAIN_THROWS
  [ "$outcome" = throws ] && export STUB_JVM_MAIN_THROWS="java.lang.RuntimeException: thrown by main"
  write_settings <<'INI'
[Java Runtime Environment]
Maximum Version=any
VM Provider=ibm
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
[Display]
Splash Screen=quadrants.bmp
INI
  : >"$STUB_LOG"
  rm -f "$MAIN_WAIT_FILE"
  start_launcher
  wait_for_main
  expect_splash_window
  release_main
  # Gone for good while the launcher lives on.
  wait_for_splash_gone
  assert_log_has "main-resumed"
  expect_no_splash_window 2
  launcher_running || fail "the launcher ended, though the JVM thread should stay"
  stop_process LAUNCHER_PID
done
unset STUB_JVM_MAIN_THROWS STUB_JVM_MAIN_WAIT_FILE

# A failure before main is reported in front of the splash window, which then goes.
log "the main class is missing"
export STUB_JVM_MISSING_CLASS=com/example/Main
write_stub_settings "" "[Display]
Splash Screen=quadrants.bmp"
start_launcher
expect_dialog --geometry
assert_equals '"SplashScreenWindow"' "$(dialog_owner_class)" "owner of the message box"
expect_splash_window
assert_splash visible=1
press_button 1
expect_exit 255
unset STUB_JVM_MISSING_CLASS

# So is a JVM library that does not load, before any JVM exists.
log "the JVM library does not load"
printf 'not a library\n' >"$SCENARIO_DIR/not-a-library.dll"
install_runtime --library "$SCENARIO_DIR/not-a-library.dll" broken
write_settings <<INI
[Java Runtime Environment]
JRE Path=$(win_path "$SCENARIO_DIR/broken")
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
[Display]
Splash Screen=quadrants.bmp
INI
start_launcher
expect_dialog --geometry
assert_equals '"SplashScreenWindow"' "$(dialog_owner_class)" "owner of the message box"
press_button 1
expect_exit 255

#!/usr/bin/env bash
# launcher-console.exe, started with pipes for its streams as a shell would:
# the application's exit code is the launcher's (System.exit(n) gives n, main
# returning 0, an uncaught exception 1 after its trace on standard error), and
# the launcher's own failures are text on standard error with exit code -1 and
# no window. With "Failure Check" nobody is asked: the application stops. The
# same holds for launcher.exe with its header made the console's.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_console_launcher
install_runtime jre
: >"$SCENARIO_DIR/app.jar"

# run_with APPLICATION_LINES: runs the launcher on the stub runtime.
run_with() {
  use_stub_log
  write_stub_settings "" "$1"
  start_launcher
}

run_with ""
expect_exit_without_dialog 0
assert_log_has 'DestroyJavaVM result=0'
assert_stderr_is ""

export STUB_JVM_MAIN_EXIT=3
run_with ""
expect_exit_without_dialog 3
assert_log_order "hook name=exit code=3" "exit code=3"
unset STUB_JVM_MAIN_EXIT

# The runtime reports the exception as the thread detaches; the JVM is
# destroyed, as after main returned, then the launcher ends with 1.
export STUB_JVM_MAIN_THROWS=$'java.lang.IllegalStateException: no data\r\n'
use_trace
run_with "Failure Check=no"
expect_exit_without_dialog 1
assert_trace_has 'exit code=1 reason="main left an exception it did not catch and the JVM was destroyed"'
assert_log_order 'DetachCurrentThread exception="java/lang/RuntimeException" result=0' 'DestroyJavaVM result=0'
assert_stderr_is $'Exception in thread "main" java.lang.IllegalStateException: no data\r'

run_with "Failure Check=yes"
expect_exit_without_dialog 255
assert_log_order 'CallStaticVoidMethod class="java/lang/System" name="exit" signature="(I)V" code=-1' \
  "hook name=exit code=-1" "exit code=-1"
assert_stderr_is $'Exception in thread "main" java.lang.IllegalStateException: no data\r'
unset STUB_JVM_MAIN_THROWS

# A failure of the launcher's own, told on standard error.
write_settings <<'INI'
[Class Path]
Class Path=app.jar
INI
start_launcher
expect_exit_without_dialog 255
assert_stderr_is $'Main class was not specified in INI file.\r'
assert_stdout_is ""

# No runtime: the "JRE Not Found" text and the download page; standard input
# is no terminal, so nothing is asked.
write_settings <<'INI'
[Java Runtime Environment]
Minimum Version=1.6
Maximum Version=1.6
[Class Path]
Class Path=app.jar
[Application]
Main Class=com.example.Main
INI
start_launcher
expect_exit_without_dialog 255
assert_stderr_is "$(printf '%s\r\n%s\r' \
  "The Java Runtime Environment (JRE) was not found. Please  download and install a JRE (version between 1.6 and 1.6) from:" \
  "https://adoptium.net/")"

# The launcher goes by the subsystem in its image's header, read at start-up:
# the windowed launcher.exe with that field made the console's, as a branding
# tool makes it, behaves the same.
install_launcher branded.exe
set_image_subsystem "$LAUNCHER" 3
write_stub_settings
use_stub_log
export STUB_JVM_MAIN_THROWS=$'java.lang.IllegalStateException: no data\r\n'
start_launcher
expect_exit_without_dialog 1
assert_stderr_is $'Exception in thread "main" java.lang.IllegalStateException: no data\r'
unset STUB_JVM_MAIN_THROWS
write_settings <<'INI'
[Class Path]
Class Path=app.jar
INI
start_launcher
expect_exit_without_dialog 255
assert_stderr_is $'Main class was not specified in INI file.\r'

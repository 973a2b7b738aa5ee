#!/usr/bin/env bash
# launcher-console.exe on a real JVM, its streams the scenario's pipes as a
# shell's would be: the application reads standard input and writes standard
# output and error; System.exit(3) runs the shutdown hooks and gives 3; an
# uncaught exception gives its trace on standard error and exit code 1, or in
# the "Error File" when one is set.
source "$(dirname "$0")/../lib.sh"
begin_scenario
if [ -z "${E2E_AVIAN_FOLDER:-}" ]; then
  log "no real JVM for Windows on this machine: skipped"
  exit 77
fi

install_console_launcher
install_runtime --library "$E2E_AVIAN_FOLDER/jvm.dll" jre
mkdir -p "$SCENARIO_DIR/src"
cat >"$SCENARIO_DIR/src/Tool.java" <<'JAVA'
import java.io.BufferedReader;
import java.io.InputStreamReader;

public class Tool {
  public static void main(String[] args) throws Exception {
    if (args[0].equals("throw")) throw new IllegalStateException("no data");
    Runtime.getRuntime().addShutdownHook(new Thread() {
      public void run() { System.out.println("shutdown hook"); }
    });
    BufferedReader in = new BufferedReader(new InputStreamReader(System.in));
    System.out.println("read: " + in.readLine());
    System.err.println("arguments: " + args.length);
    System.exit(3);
  }
}
JAVA
javac -source 8 -target 8 -nowarn -bootclasspath "$E2E_AVIAN_FOLDER/classpath.jar" \
  -d "$SCENARIO_DIR/classes" "$SCENARIO_DIR/src/Tool.java" 2>/dev/null || fail "cannot compile Tool"
# settings [APPLICATION_LINES]
settings() {
  write_settings <<INI
[Java Runtime Environment]
JRE Path=$(win_path "$SCENARIO_DIR/jre")
[Class Path]
Class Path=classes
[Application]
Main Class=Tool
${1:-}
INI
}
settings

printf 'a line\r\n' >"$SCENARIO_DIR/input.txt"
LAUNCHER_INPUT="$SCENARIO_DIR/input.txt"
start_launcher exit "second argument"
expect_exit_without_dialog 3
assert_stdout_is $'read: a line\r\nshutdown hook\r'
assert_stderr_is $'arguments: 2\r'

LAUNCHER_INPUT=/dev/null
start_launcher throw
expect_exit_without_dialog 1
assert_stderr_has "java.lang.IllegalStateException: no data"
assert_stdout_is ""

settings "Error File=$(win_path "$SCENARIO_DIR/err.log")"
start_launcher throw
expect_exit_without_dialog 1
assert_stderr_is ""
grep -qF "java.lang.IllegalStateException: no data" "$SCENARIO_DIR/err.log" || fail "err.log lacks the trace"

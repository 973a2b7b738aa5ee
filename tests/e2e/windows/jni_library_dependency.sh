#!/usr/bin/env bash
# An application's JNI library, loaded by System.loadLibrary on a real JVM,
# finds the DLL it imports beside it: its folder is on "System Path", which
# the launcher's own library search (the standard order less the current
# folder) still reads. Without that DLL the library does not load.
source "$(dirname "$0")/../lib.sh"
begin_scenario
require_variables E2E_JNI_LIBRARY E2E_JNI_LIBRARY_DEPENDENCY
if [ -z "${E2E_AVIAN_FOLDER:-}" ]; then
  log "no real JVM for Windows on this machine: skipped"
  exit 77
fi

install_launcher app/launcher.exe
install_runtime --library "$E2E_AVIAN_JVM" jre
mkdir -p "$SCENARIO_DIR/native" "$SCENARIO_DIR/src"
cp "$E2E_JNI_LIBRARY" "$E2E_JNI_LIBRARY_DEPENDENCY" "$SCENARIO_DIR/native/" || fail "cannot copy the JNI library"
cat >"$SCENARIO_DIR/src/JniProbe.java" <<'JAVA'
public class JniProbe {
  static native int answer();

  public static void main(String[] args) {
    try {
      System.loadLibrary("jniprobe");
    } catch (UnsatisfiedLinkError e) {
      System.exit(3);
    }
    System.exit(answer());
  }
}
JAVA
javac -source 8 -target 8 -nowarn -bootclasspath "$E2E_AVIAN_FOLDER/classpath.jar" \
  -d "$SCENARIO_DIR/app/classes" "$SCENARIO_DIR/src/JniProbe.java" 2>/dev/null || fail "cannot compile JniProbe"
write_settings <<INI
[Java Runtime Environment]
JRE Path=$(win_path "$SCENARIO_DIR/jre")
System Path=$(win_path "$SCENARIO_DIR/native")
[Class Path]
Class Path=classes
[Application]
Main Class=JniProbe
INI

start_launcher
expect_exit_without_dialog 42

rm "$SCENARIO_DIR/native/jniprobedep.dll"
start_launcher
expect_exit_without_dialog 3

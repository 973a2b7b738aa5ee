#!/usr/bin/env bash
# A "JRE Path" whose JVM library cannot serve: one without JNI_CreateJavaVM, an
# empty file, a file cut inside its headers, a library of another machine and a
# folder of that name. Each ends with the launcher's message and the loader's
# own reason on standard error, and exit code -1: no crash, no hang. "Pair
# Product" makes the launcher read the library's headers as well.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario
require_variables E2E_NO_JNI_LIBRARY

install_probe
library="$SCENARIO_DIR/jre/lib/server/libjvm.so"
mkdir -p "$(dirname "$library")"
write_probe_settings probe.Probe "Pair Product=companion" ""
# The settings run on the JDK; this runtime replaces it.
sed -i "s|^JRE Path=.*|JRE Path=$SCENARIO_DIR/jre|" "$(settings_path_of "$LAUNCHER")"

# run_with REASON MESSAGE: the launcher ends with -1 after the loader's reason
# (a REASON of "" stands for any: its words are the C library's) and MESSAGE.
run_with() {
  start_launcher
  expect_exit 255 10
  local reason
  reason=$(head -n 1 "$SCENARIO_DIR/stderr.txt")
  [[ $reason == "$library: "?* ]] || fail "expected the loader's reason first, got [$reason]"
  [ -z "$1" ] || assert_equals "$library: $1" "$reason" "the loader's reason"
  assert_equals "$2" "$(tail -n +2 "$SCENARIO_DIR/stderr.txt")" "the message"
}

cp "$E2E_NO_JNI_LIBRARY" "$library"
run_with "undefined symbol: JNI_CreateJavaVM" "Windows exception: cannot find CreateJavaVM JNI (errno = 2)."

load_failed="Failed to load Java VM library: $library (errno = 2)."
: >"$library"
run_with "" "$load_failed"

head -c 100 "$E2E_NO_JNI_LIBRARY" >"$library"
run_with "" "$load_failed"

# e_machine (offset 18) of x86-64 made ARM's (40): the loader passes the file over.
cp "$E2E_NO_JNI_LIBRARY" "$library"
printf '\050\000' | dd of="$library" bs=1 seek=18 conv=notrunc status=none
run_with "" "$load_failed"

rm "$library"
mkdir "$library"
run_with "" "Failed to load Java VM library: $library (errno = 21)."

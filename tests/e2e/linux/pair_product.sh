#!/usr/bin/env bash
# When the runtime found has a 32-bit JVM library and a "Pair Product" is
# configured, the launcher loads nothing itself: it starts the companion with
# its own argument vector, unchanged, in its current folder. Without "Pair
# Return Code" it ends with 0 at once; with it, it passes the companion's exit
# code back. A companion that cannot be started is reported with its path and
# the system's error code, and the launcher ends with -1. A 64-bit runtime runs
# in the launcher as usual.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario
require_variables E2E_ARGV_RECORDER

install_probe
# The headers of a 32-bit x86 ELF library: all that decides.
mkdir -p "$SCENARIO_DIR/jre32/lib/server"
{
  printf '\x7fELF\x01\x01\x01'  # 32-bit, little-endian
  head -c 9 /dev/zero
  printf '\x03\0\x03\0'  # a shared object for machine 3, i386
  head -c 32 /dev/zero
} >"$SCENARIO_DIR/jre32/lib/server/libjvm.so"
cp "$E2E_ARGV_RECORDER" "$SCENARIO_DIR/companion" || fail "cannot copy the companion"
export COMPANION_LOG="$SCENARIO_DIR/companion.log" COMPANION_EXIT_CODE=5 COMPANION_WAIT_FILE

# run_with JRE_PATH SETTING...: the settings with this "JRE Path" and these
# [Application] lines; the companion's log emptied.
run_with() {
  local jre=$1
  shift
  : >"$COMPANION_LOG"
  {
    printf '[Application]\nMain Class=probe.Probe\n'
    printf '%s\n' "$@"
    printf '[Class Path]\nClass Path=probe.jar\n[Java Runtime Environment]\nJRE Path=%s\n' "$jre"
  } | write_settings
}

# Not waited for: the launcher ends while the companion waits for its file,
# which comes only after.
COMPANION_WAIT_FILE="$SCENARIO_DIR/release-companion"
run_with jre32 "Pair Product=companion"
start_launcher plain
expect_exit 0
assert_file_is "$COMPANION_LOG" "argv 0 [$LAUNCHER]
argv 1 [plain]
cwd [$SCENARIO_DIR]"
: >"$COMPANION_WAIT_FILE"
unset COMPANION_WAIT_FILE

run_with jre32 "Pair Product=companion" "Pair Return Code=yes"
start_launcher "two words" "" "é"
expect_exit 5
assert_file_is "$COMPANION_LOG" "argv 0 [$LAUNCHER]
argv 1 [two words]
argv 2 []
argv 3 [é]
cwd [$SCENARIO_DIR]"
assert_stdout_is ""

run_with jre32 "Pair Product=missing" "Pair Return Code=yes"
start_launcher
expect_exit 255
assert_stderr_is "Failed to start the pair product $SCENARIO_DIR/missing (errno = 2)."
assert_file_is "$COMPANION_LOG" ""

run_with "$JDK_HOME" "Pair Product=companion" "Pair Return Code=yes"
start_launcher arguments
expect_exit 0
assert_stdout_has "count 1"
assert_file_is "$COMPANION_LOG" ""

#!/usr/bin/env bash
# With no runtime to be found and a terminal to ask on, the launcher asks for
# a runtime folder after its message. A folder without a JVM library is asked
# for again; an empty answer cancels (-1). The folder taken (typed relative to
# the current folder or not, in double quotes or not) runs the application at once and is remembered in
# the per-user settings file for the next start, even one without a terminal.
# A remembered file that cannot be written (a full disk, a read-only file)
# stays byte for byte as it was, and the chosen runtime still runs.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/per_user_settings.sh"
begin_scenario
use_per_user_settings
command -v script >/dev/null || fail "script (util-linux) is not installed"

install_probe
write_settings <<INI
$(product_information)
[Application]
Main Class=probe.Probe
[Class Path]
Class Path=probe.jar
[Java Runtime Environment]
Minimum Version=1.6
Maximum Version=1.6
INI
mkdir -p "$SCENARIO_DIR/not a runtime/lib"
ln -s "$JDK_HOME" "$SCENARIO_DIR/linked jdk"
PER_USER=$(per_user_file launcher)
MESSAGE='The Java Runtime Environment (JRE) was not found. Please  download and install a JRE (version between 1.6 and 1.6) from:'

# answer_on_terminal ANSWER...: runs the launcher (printing "out" on standard
# output) on a terminal where the answers are typed; the transcript goes to
# terminal.txt, the exit code to TERMINAL_EXIT.
answer_on_terminal() {
  if [ $# -gt 0 ]; then printf '%s\n' "$@" >"$SCENARIO_DIR/answers.txt"; else : >"$SCENARIO_DIR/answers.txt"; fi
  (cd "$SCENARIO_DIR" && exec timeout 60 script -qec "./launcher print out err" /dev/null \
    <"$SCENARIO_DIR/answers.txt" >"$SCENARIO_DIR/terminal.txt" 2>&1)
  TERMINAL_EXIT=$?
  tr -d '\r' <"$SCENARIO_DIR/terminal.txt" >"$SCENARIO_DIR/transcript.txt"
  log "on the terminal (exit $TERMINAL_EXIT):"
  cat "$SCENARIO_DIR/transcript.txt"
}

prompts() { grep -o 'Browse for JRE folder: ' "$SCENARIO_DIR/transcript.txt" | wc -l; }

# The application printed its line (right after the last question).
assert_application_ran() {
  grep -qE '(^|: )out$' "$SCENARIO_DIR/transcript.txt" || fail "the application did not run $1"
}

assert_remembered() {
  assert_equals $'\xEF\xBB\xBF[Java Runtime Environment]\nJRE Path='"$1"/ "$(cat "$PER_USER")" "the per-user settings file"
}

# An empty answer, or none at all, cancels.
answer_on_terminal ""
assert_equals 255 "$TERMINAL_EXIT" "exit code after an empty answer"
grep -qxF "$MESSAGE" "$SCENARIO_DIR/transcript.txt" || fail "the terminal did not show the message"
grep -qxF "https://adoptium.net/" "$SCENARIO_DIR/transcript.txt" || fail "the terminal did not show the address"
answer_on_terminal
assert_equals 255 "$TERMINAL_EXIT" "exit code when nothing is typed"
[ ! -e "$PER_USER_DIR" ] || fail "a cancelled question wrote $PER_USER_DIR"

# Folders without a JVM library are asked for again.
answer_on_terminal "$SCENARIO_DIR/nowhere" "$SCENARIO_DIR/not a runtime" "$JDK_HOME"
assert_equals 0 "$TERMINAL_EXIT" "exit code after choosing the JDK"
assert_equals 3 "$(prompts)" "questions asked"
assert_application_ran "on the chosen JDK"
assert_remembered "$JDK_HOME"

# The next start, without a terminal, runs on it.
start_launcher print again err
expect_exit 0
assert_stdout_is again
rm -rf "$PER_USER_DIR"

# Typed relative to the current folder, in double quotes as Explorer's "Copy
# as path" gives a path, it is taken without them and remembered in full.
answer_on_terminal ' "linked jdk" '
assert_equals 0 "$TERMINAL_EXIT" "exit code after choosing a relative folder"
assert_remembered "$SCENARIO_DIR/linked jdk"

# A read-only per-user file is left alone; the chosen runtime runs.
printf '; mine\n[Java Runtime Environment]\nJRE Path=/old\n' >"$PER_USER"
chmod 444 "$PER_USER"
answer_on_terminal "$JDK_HOME"
assert_equals 0 "$TERMINAL_EXIT" "exit code with a read-only per-user file"
assert_equals $'; mine\n[Java Runtime Environment]\nJRE Path=/old' "$(cat "$PER_USER")" "the read-only per-user file"
chmod 644 "$PER_USER"
rm -rf "$PER_USER_DIR"

# A full disk: the per-user folder on a small file system of its own, filled up.
FULL_DISK="$SCENARIO_DIR/config"
unmount_full_disk() {
  local status=$?
  mountpoint -q "$FULL_DISK" && umount "$FULL_DISK"
  return "$status"
}
mkdir -p "$FULL_DISK"
if ! mount -t tmpfs -o size=64k tmpfs "$FULL_DISK" 2>/dev/null; then
  log "skipped the full disk: mounting a tmpfs needs root"
  exit 0
fi
trap 'unmount_full_disk; end_scenario' EXIT
mkdir -p "$PER_USER_DIR"
# The file fills its last block to the byte, so that a longer value needs one more.
body=$'[Java Runtime Environment]\nJRE Path=/old\n'
{
  printf '; '
  head -c $((4096 - 3 - ${#body})) /dev/zero | tr '\0' x
  printf '\n%s' "$body"
} >"$PER_USER"
[ "$(stat -c %s "$PER_USER")" -eq 4096 ] || fail "the per-user file is not one block"
cp "$PER_USER" "$SCENARIO_DIR/before.ini"
dd if=/dev/zero of="$FULL_DISK/filler" bs=1k 2>/dev/null
[ "$(df --output=avail "$FULL_DISK" | tail -n1)" -eq 0 ] || fail "the small file system is not full"
answer_on_terminal "$JDK_HOME"
assert_equals 0 "$TERMINAL_EXIT" "exit code on a full disk"
assert_application_ran "on a full disk"
cmp "$SCENARIO_DIR/before.ini" "$PER_USER" || fail "the per-user file changed on a full disk"
ls -A "$PER_USER_DIR" >"$SCENARIO_DIR/left.txt"
assert_equals "launcher.ini" "$(cat "$SCENARIO_DIR/left.txt")" "files in the per-user folder on a full disk"
# A shorter value needs no more room: it is written in place even so.
body=$'[Java Runtime Environment]\nJRE Path=/a/path/longer/than/the/jdk/folder/is/in/any/case\n'
{
  printf '; '
  head -c $((4096 - 3 - ${#body})) /dev/zero | tr '\0' x
  printf '\n%s' "$body"
} >"$PER_USER"
answer_on_terminal "$JDK_HOME"
assert_equals 0 "$TERMINAL_EXIT" "exit code on a full disk"
tail -n 1 "$PER_USER" >"$SCENARIO_DIR/last-line.txt"
assert_equals "JRE Path=$JDK_HOME/" "$(cat "$SCENARIO_DIR/last-line.txt")" "the per-user file rewritten in place"

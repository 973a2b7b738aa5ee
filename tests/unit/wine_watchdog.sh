#!/usr/bin/env bash
# wine_watchdog.sh WINE PROGRAM [ARGUMENTS...]
# Runs a Windows unit test program under Wine, as CTest's emulator does.
#
# The program writes to a file, which is copied to standard output once it has
# ended, rather than to CTest's pipe: a window test may be the process that
# starts Wine's desktop process (explorer.exe, which ends a second after the
# desktop's last window), and that process keeps the standard error of the
# process that started it. On CTest's pipe, the test then "hung" after passing
# until the tests running beside it left the desktop unused, or its timeout.
# (scripts/wine_desktop_stderr.sh shows it.)
#
# A process still running after WINE_WATCHDOG_SECONDS (default 40, under the
# tests' 60 s timeout) has the stack of each of its threads, and of the
# desktop's process it may wait for, written to standard error, where CTest
# shows it with the failure. The program's exit code is this script's, and one
# that is not 0 is written to standard error too.
set -u
wine=$1
shift
limit=${WINE_WATCHDOG_SECONDS:-40}

# The backtraces of the program's threads and explorer's, from Wine's own
# debugger, and what each thread waits for in the kernel.
report_hang() {
  local pid=$1 name=${2##*[/\\]} task
  echo "wine_watchdog: $name still runs after $limit s; its threads:"
  for task in /proc/"$pid"/task/*; do
    echo "  thread $(basename "$task"): waits in $(cat "$task/wchan" 2>/dev/null), system call $(cat "$task/syscall" 2>/dev/null)"
  done
  timeout 60 winedbg --command "bt all" 2>&1 | awk -v name="$name" '
    /^Backtracing for thread/ { keep = index($0, name) || index($0, "explorer.exe") }
    keep'
  echo "wine_watchdog: its output so far:"
  cat "$output"
}

output=$(mktemp)
trap 'rm -f "$output"' EXIT
# (A program started in the background reads /dev/null unless told otherwise.)
"$wine" "$@" <&0 >"$output" 2>&1 &
pid=$!
# The watcher holds none of CTest's streams while it sleeps, so that CTest
# does not wait for it once the program has ended.
(
  exec 3>&2 </dev/null >/dev/null 2>&1
  sleep "$limit" 3>&-
  kill -0 "$pid" && report_hang "$pid" "$1" >&3 2>&1
) &
watcher=$!
wait "$pid"
status=$?
kill "$watcher" 2>/dev/null
cat "$output"
# A process that Wine lost ends with no output of its own; its status is then all there is.
[ "$status" -eq 0 ] || echo "wine_watchdog: ${1##*[/\\]} ended with status $status" >&2
exit "$status"

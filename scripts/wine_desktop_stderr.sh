#!/usr/bin/env bash
# Shows why a Windows window test could pass and then keep CTest waiting: the
# Wine desktop process (explorer.exe) that a window test starts keeps the
# test's standard error, and so CTest's pipe, open for as long as another
# program uses the desktop.
#
# In a Wine session of its own, with no desktop process running, it starts
# HyperlinkTest.* twice, its output read through a pipe, while a program with a
# window (notepad) keeps the desktop in use: once directly, once through
# tests/unit/wine_watchdog.sh as CTest does. For each it prints when the test
# process ended and when the pipe closed. Needs the Windows build
# (cmake --build --preset windows).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/wine_session.sh
wine=/usr/lib/wine/wine64
tests=build/windows/tests/unit/unit_tests.exe
[ -f "$tests" ] || { echo "build the Windows unit tests first" >&2; exit 2; }

start_wine_session "$root/build/windows/wine-desktop-stderr"
trap stop_wine_session EXIT

# processes_of PATTERN: this session's processes whose command line matches.
processes_of() {
  local pid
  for pid in $(pgrep -f "$1" || true); do
    grep -qz "^WINEPREFIX=$WINEPREFIX\$" "/proc/$pid/environ" 2>/dev/null && echo "$pid"
  done
}

since() { echo "$(date +%s.%N) - $1" | bc; }

# wait_for SECONDS COMMAND...: until the command succeeds, at most that long.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}
no_desktop() { [ -z "$(processes_of 'explorer\.exe')" ]; }
a_desktop() { ! no_desktop; }

# run_once LABEL COMMAND...: the command's output read through a pipe.
run_once() {
  local label=$1 started ended closed reader keeper
  shift
  wait_for 30 no_desktop || { echo "$label: the desktop process stays" >&2; return 1; }
  ended=$(mktemp) closed=$(mktemp)
  started=$(date +%s.%N)
  { { "$@"; since "$started" >"$ended"; } 2>&1 | cat >/dev/null; since "$started" >"$closed"; } &
  reader=$!
  wait_for 30 a_desktop || { echo "$label: no desktop process started" >&2; return 1; }
  "$wine" notepad </dev/null >/dev/null 2>&1 &
  keeper=$!
  wait_for 60 test -s "$ended" || { echo "$label: the test did not end" >&2; return 1; }
  if wait_for 10 test -s "$closed"; then
    echo "$label: the test ended after $(cat "$ended") s, the pipe closed after $(cat "$closed") s"
  else
    echo "$label: the test ended after $(cat "$ended") s, the pipe was still open 10 s later"
  fi
  kill "$keeper" 2>/dev/null || true
  wait "$reader" 2>/dev/null || true
  echo "$label: with notepad ended, the pipe closed after $(cat "$closed") s"
  rm -f "$ended" "$closed"
}

run_once "directly" "$wine" "$tests" --gtest_filter='HyperlinkTest.*'
run_once "through the watchdog" bash tests/unit/wine_watchdog.sh "$wine" "$tests" --gtest_filter='HyperlinkTest.*'

#!/usr/bin/env bash
# How long a second instance takes on Linux in single-instance mode: from its
# start to its exit with the first instance's reply (secondaryMain's int form),
# while the first instance runs the probe application on the system JDK.
# Prints the median and the spread. Usage: scripts/benchmark_second_instance.sh [runs] (default 20).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
ensure_packages cmake ninja-build g++ googletest openjdk-17-jdk-headless g++-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix

runs=${1:-20}
cmake --preset host >/dev/null
cmake --build --preset host --target launcher java_fixtures >/dev/null

jdk=$(dirname "$(dirname "$(readlink -f "$(command -v javac)")")")
work=$(mktemp -d)
first=
cleanup() {
  [ -n "$first" ] && kill "$first" 2>/dev/null && wait "$first" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cp build/host/launcher "$work/app"
cp build/host/tests/fixtures/java/probe.jar "$work/"
cat > "$work/app.ini" <<INI
[Application]
Main Class=probe.SecondaryInt
Single Instance=yes
[Class Path]
Class Path=probe.jar
[Java Runtime Environment]
JRE Path=$jdk
INI

cd "$work"
export PROBE_SECONDARY_LOG="$work/secondary.log" XDG_RUNTIME_DIR="$work"
./app "$work/go" >first.txt 2>&1 &
first=$!
until grep -qx 'main started' first.txt 2>/dev/null; do sleep 0.05; done

# One run: milliseconds from start to exit; the exit code must be the reply.
measure() {
  local start end code
  start=$(date +%s%N)
  ./app abc && code=0 || code=$?
  end=$(date +%s%N)
  [ "$code" -eq 3 ] || { echo "the second instance ended with $code, not the reply 3" >&2; exit 1; }
  awk -v ns="$((end - start))" 'BEGIN { printf "%.3f\n", ns / 1e6 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

measure >/dev/null  # warm the file cache
: >times.txt
for ((i = 0; i < runs; i++)); do measure >>times.txt; done
echo "JDK: $jdk; $runs second instances, one after another"
printf 'round trip: median %.1f ms, fastest %.1f ms, slowest %.1f ms (goal: under 20 ms)\n' \
  "$(median <times.txt)" "$(sort -n times.txt | head -n1)" "$(sort -n times.txt | tail -n1)"
: >go
wait "$first"
first=

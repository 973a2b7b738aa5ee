#!/usr/bin/env bash
# Compares starting a hello-world application through the Linux launcher with
# starting it through `java -cp`, on the same JDK: wall time and peak memory,
# medians of alternating runs. Then the splash screen, on the display given
# (or a virtual one): how long after the process starts the splash is on the
# screen, and how long until main starts with and without it.
# Usage: scripts/benchmark.sh [runs] (default 15).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
ensure_packages cmake ninja-build g++ googletest openjdk-17-jdk-headless time g++-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix \
  xvfb x11-utils

runs=${1:-15}
cmake --preset host >/dev/null
cmake --build --preset host --target launcher >/dev/null

jdk=$(dirname "$(dirname "$(readlink -f "$(command -v javac)")")")
work=$(mktemp -d)
xvfb=
watcher=
clean_up() {
  [ -z "$watcher" ] || kill "$watcher" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap clean_up EXIT
cat > "$work/Hello.java" <<'JAVA'
public class Hello {
  public static void main(String[] args) { System.out.println("Hello, world"); }
}
JAVA
"$jdk/bin/javac" -d "$work" "$work/Hello.java"
cp build/host/launcher "$work/hello"
cat > "$work/hello.ini" <<INI
[Application]
Main Class=Hello
[Class Path]
Class Path=.
[Java Runtime Environment]
JRE Path=$jdk
INI

# One run: "<milliseconds> <peak kilobytes>"; the clock is read around GNU time,
# whose own cost is the same for both.
measure() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$work/time.txt" "$@" >/dev/null
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000 )) $(cat "$work/time.txt")" | awk '{ printf "%.3f %d\n", $1 / 1000, $2 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

cd "$work"
# Warm the file cache for both before measuring.
./hello >/dev/null && "$jdk/bin/java" -cp . Hello >/dev/null
: > launcher.txt
: > java.txt
for ((i = 0; i < runs; i++)); do
  measure ./hello >> launcher.txt
  measure "$jdk/bin/java" -cp . Hello >> java.txt
done

launcher_time=$(cut -d' ' -f1 launcher.txt | median)
java_time=$(cut -d' ' -f1 java.txt | median)
launcher_memory=$(cut -d' ' -f2 launcher.txt | median)
java_memory=$(cut -d' ' -f2 java.txt | median)
echo "JDK: $jdk; $runs alternating runs each, medians"
printf 'launcher   %7.1f ms  %8d KB peak\n' "$launcher_time" "$launcher_memory"
printf 'java -cp   %7.1f ms  %8d KB peak\n' "$java_time" "$java_memory"
awk -v l="$launcher_time" -v j="$java_time" -v lm="$launcher_memory" -v jm="$java_memory" \
  'BEGIN { printf "ratio launcher/java: time %.3f, peak memory %.3f\n", l / j, lm / jm }'

# ---- The splash screen ----
# main prints the wall clock in microseconds as it starts; the splash is on the
# screen when the X server maps a window on the root (xev reports it).
if [ -z "${DISPLAY:-}" ]; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" </dev/null >/dev/null 2>&1 &
  xvfb=$!
  until [ -s "$work/display" ]; do sleep 0.05; done
  DISPLAY=":$(head -n1 "$work/display")"
  export DISPLAY
fi
cat > "$work/MainTime.java" <<'JAVA'
import java.time.Instant;
import java.time.temporal.ChronoUnit;

public class MainTime {
  public static void main(String[] args) { System.out.println(ChronoUnit.MICROS.between(Instant.EPOCH, Instant.now())); }
}
JAVA
"$jdk/bin/javac" -d "$work" "$work/MainTime.java"
cp "$root/tests/fixtures/pictures/quadrants.png" "$work/splash.png"
cp "$root/build/host/launcher" "$work/splash"
cat > "$work/splash.ini" <<INI
[Application]
Main Class=MainTime
[Class Path]
Class Path=.
[Java Runtime Environment]
JRE Path=$jdk
[Display]
Splash Screen=splash.png
INI

stdbuf -oL xev -root -event substructure 2>/dev/null > >(while read -r line; do
  case $line in MapNotify*) echo "$EPOCHREALTIME" >>"$work/maps.txt" ;; esac
done) &
watcher=$!
sleep 0.5

# One run: "<ms until main> <ms until the splash shows, or - >".
splash_run() {
  local start main shown
  : >"$work/maps.txt"
  start=$EPOCHREALTIME
  main=$(./splash "$@")
  sleep 0.1
  shown=$(head -n1 "$work/maps.txt")
  awk -v s="$start" -v m="$main" -v w="${shown:--}" \
    'BEGIN { printf "%.1f %s\n", (m / 1e6 - s) * 1000, (w == "-") ? "-" : sprintf("%.1f", (w - s) * 1000) }'
}
quartiles() { sort -n | awk '{ v[NR] = $1 } END { printf "median %6.1f ms, quartiles %.1f-%.1f", v[int((NR + 1) / 2)], v[int((NR + 3) / 4)], v[int((3 * NR + 3) / 4)] }'; }

./splash >/dev/null
: > with.txt
: > without.txt
for ((i = 0; i < runs; i++)); do
  splash_run >> with.txt
  splash_run -nosplash >> without.txt
done
kill "$watcher" 2>/dev/null || true
watcher=

echo "Splash screen ($DISPLAY, runtime's splash library, 80x60 PNG): $runs alternating runs each"
printf 'splash on screen after the start   %s\n' "$(grep -v ' -$' with.txt | cut -d' ' -f2 | quartiles)"
printf 'main starts, with the splash       %s\n' "$(cut -d' ' -f1 with.txt | quartiles)"
printf 'main starts, with -nosplash        %s\n' "$(cut -d' ' -f1 without.txt | quartiles)"
printf 'runs whose splash did not show     %d\n' "$(grep -c ' -$' with.txt || true)"

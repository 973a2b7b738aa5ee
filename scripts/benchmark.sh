#!/usr/bin/env bash
# Compares starting a hello-world application through the Linux launcher with
# starting it through `java -cp`, on the same JDK: wall time and peak memory,
# medians of alternating runs. Usage: scripts/benchmark.sh [runs] (default 15).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
ensure_packages cmake ninja-build g++ googletest openjdk-17-jdk-headless time g++-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix

runs=${1:-15}
cmake --preset host >/dev/null
cmake --build --preset host --target launcher >/dev/null

jdk=$(dirname "$(dirname "$(readlink -f "$(command -v javac)")")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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

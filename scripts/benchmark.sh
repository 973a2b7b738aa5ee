#!/usr/bin/env bash
# Compares starting applications through the Linux launcher with starting them
# through `java -cp` on the same JDK: wall time and peak memory, medians of
# alternating runs. Usage: scripts/benchmark.sh [runs] [first-runs]
# (defaults 15 and 7).
#  1. A hello world, on the system's JDK.
#  2. The sample application (XML, streams, regular expressions, dates), on
#     the system's JDK and on every newer JDK in /usr/lib/jvm: through the
#     launcher without the start-up cache, with its archive in place, and on a
#     first start (empty cache; each first start is followed by the build it
#     starts, which is waited for before the next run).
#  3. A larger application, Apache Maven (`mvn --version`, its own boot class
#     path and properties), on the system's JDK: peak memory above all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
ensure_packages cmake ninja-build g++ googletest openjdk-17-jdk-headless time maven g++-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix

runs=${1:-15}
first_runs=${2:-7}
cmake --preset host >/dev/null
cmake --build --preset host --target launcher sample_application >/dev/null

jdk=$(dirname "$(dirname "$(readlink -f "$(command -v javac)")")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CACHE_HOME="$work/cache"

# One run: "<milliseconds> <peak kilobytes>"; the clock is read around GNU time,
# whose own cost is the same for both.
measure() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f '%M' -o "$work/time.txt" "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000 )) $(cat "$work/time.txt")" | awk '{ printf "%.3f %d\n", $1 / 1000, $2 }'
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
time_of() { cut -d' ' -f1 "$work/$1.txt" | median; }
memory_of() { cut -d' ' -f2 "$work/$1.txt" | median; }

# report NAME LABEL REFERENCE: one line with the medians of NAME and its
# ratios to those of REFERENCE.
report() {
  awk -v label="$2" -v t="$(time_of "$1")" -v m="$(memory_of "$1")" -v rt="$(time_of "$3")" -v rm="$(memory_of "$3")" \
    'BEGIN { printf "  %-30s %7.1f ms  %8d KB peak   ratio to java -cp: time %.3f, peak memory %.3f\n", label, t, m, t / rt, m / rm }'
}
report_reference() {
  awk -v label="$2" -v t="$(time_of "$1")" -v m="$(memory_of "$1")" \
    'BEGIN { printf "  %-30s %7.1f ms  %8d KB peak\n", label, t, m }'
}

# No build of the start-up cache under way: no class lists or jobs left.
wait_for_builds() {
  while [ -n "$(find "$XDG_CACHE_HOME" -type f \( -name '*.classlist' -o -name '*.job' -o -name '*.tmp' \) 2>/dev/null)" ]; do
    sleep 0.1
  done
}

# 1. Hello world.
mkdir -p "$work/hello"
cat > "$work/hello/Hello.java" <<'JAVA'
public class Hello {
  public static void main(String[] args) { System.out.println("Hello, world"); }
}
JAVA
"$jdk/bin/javac" -d "$work/hello" "$work/hello/Hello.java"
cp build/host/launcher "$work/hello/hello"
cat > "$work/hello/hello.ini" <<INI
[Application]
Main Class=Hello
[Class Path]
Class Path=.
[Java Runtime Environment]
JRE Path=$jdk
INI
(
  cd "$work/hello"
  # Warm the file cache for both before measuring.
  ./hello >/dev/null && "$jdk/bin/java" -cp . Hello >/dev/null
  : > "$work/hello-launcher.txt"
  : > "$work/hello-java.txt"
  for ((i = 0; i < runs; i++)); do
    measure ./hello >> "$work/hello-launcher.txt"
    measure "$jdk/bin/java" -cp . Hello >> "$work/hello-java.txt"
  done
)
echo "Hello world on $jdk; $runs alternating runs each, medians"
report_reference hello-java "java -cp"
report hello-launcher "launcher" hello-java

# 2. The sample application, on each JDK.
sample_jdks() {
  local home major base_major
  base_major=$(sed -n 's/^JAVA_VERSION="\([0-9]*\).*/\1/p' "$jdk/release")
  echo "$jdk"
  for home in /usr/lib/jvm/*/; do
    home=$(readlink -f "$home")
    [ -x "$home/bin/java" ] && [ -f "$home/release" ] || continue
    major=$(sed -n 's/^JAVA_VERSION="\([0-9]*\).*/\1/p' "$home/release")
    [ -n "$major" ] && [ "$major" -gt "$base_major" ] && echo "$home"
  done | awk '!seen[$0]++'
}

mkdir -p "$work/sample"
cp build/host/examples/sample.jar "$work/sample/"
cp build/host/launcher "$work/sample/sample"
# The heap limit the launcher computes for -Xmx10:64:512P.
heap=$(awk '/MemTotal/ { mb = int($2 / 1024 / 10); print (mb < 64 ? 64 : mb > 512 ? 512 : mb) "m" }' /proc/meminfo)
for home in $(sample_jdks); do
  for cache in No Yes; do
    sed -e "s|^Minimum Version=.*|JRE Path=$home|" -e "s|^Start-up Cache=.*|Start-up Cache=$cache|" \
      examples/sample/sample.ini > "$work/sample/sample-$cache.ini"
  done
  java_run=("$home/bin/java" "-Xmx$heap" "-Dsample.greeting=Hello, world" -cp sample.jar com.example.sample.SampleApplication --from-settings)
  (
    cd "$work/sample"
    rm -rf "$XDG_CACHE_HOME"
    use() { cp "sample-$1.ini" sample.ini; }
    use No
    ./sample >/dev/null && "${java_run[@]}" >/dev/null
    : > "$work/sample-java.txt"
    : > "$work/sample-off.txt"
    : > "$work/sample-cached.txt"
    : > "$work/sample-first.txt"
    : > "$work/sample-first-java.txt"
    use Yes
    ./sample >/dev/null
    wait_for_builds
    for ((i = 0; i < runs; i++)); do
      use No
      measure ./sample >> "$work/sample-off.txt"
      use Yes
      measure ./sample >> "$work/sample-cached.txt"
      measure "${java_run[@]}" >> "$work/sample-java.txt"
    done
    for ((i = 0; i < first_runs; i++)); do
      rm -rf "$XDG_CACHE_HOME"
      measure ./sample >> "$work/sample-first.txt"
      wait_for_builds
      measure "${java_run[@]}" >> "$work/sample-first-java.txt"
    done
    archive=$(find "$XDG_CACHE_HOME" -name '*.jsa' -o -name '*.aot' | head -1)
    echo
    echo "Sample application on $home ($(sed -n 's/^JAVA_VERSION="\(.*\)"/\1/p' "$home/release")); $runs alternating runs each ($first_runs first starts), medians"
    echo "  start-up cache: ${archive##*.} archive ($(du -h "$archive" | cut -f1))"
    report_reference sample-java "java -cp"
    report sample-off "launcher, cache off" sample-java
    report sample-cached "launcher, archive in place" sample-java
    report sample-first "launcher, first start" sample-first-java
  )
done

# 3. Apache Maven: a larger application.
maven=/usr/share/maven
classworlds=$(echo "$maven"/boot/plexus-classworlds-*.jar)
mkdir -p "$work/maven"
cp build/host/launcher "$work/maven/mvn"
properties=("-Dclassworlds.conf=$maven/bin/m2.conf" "-Dmaven.home=$maven" "-Dlibrary.jansi.path=$maven/lib/jansi-native"
  "-Dmaven.multiModuleProjectDirectory=$work/maven")
cat > "$work/maven/mvn.ini" <<INI
[Application]
Main Class=org.codehaus.plexus.classworlds.launcher.Launcher
[Class Path]
Class Path=$classworlds
[Java Runtime Environment]
JRE Path=$jdk
Virtual Machine Parameters=${properties[*]}
INI
(
  cd "$work/maven"
  ./mvn --version >/dev/null 2>&1 && "$jdk/bin/java" -classpath "$classworlds" "${properties[@]}" \
    org.codehaus.plexus.classworlds.launcher.Launcher --version >/dev/null 2>&1
  : > "$work/maven-launcher.txt"
  : > "$work/maven-java.txt"
  for ((i = 0; i < runs; i++)); do
    measure ./mvn --version >> "$work/maven-launcher.txt"
    measure "$jdk/bin/java" -classpath "$classworlds" "${properties[@]}" \
      org.codehaus.plexus.classworlds.launcher.Launcher --version >> "$work/maven-java.txt"
  done
)
echo
echo "Apache Maven $(dpkg-query -W -f='${Version}' maven 2>/dev/null) (mvn --version) on $jdk; $runs alternating runs each, medians"
report_reference maven-java "java -classpath"
report maven-launcher "launcher" maven-java

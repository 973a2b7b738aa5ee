#!/usr/bin/env bash
# Compares starting a hello-world application through the Linux launcher with
# starting it through `java -cp`, on the same JDK: wall time and peak memory,
# medians of alternating runs. Then the splash screen, on the display given
# (or a virtual one): how long after the process starts the splash is on the
# screen, and how long until main starts with and without it. Then the sample
# application with the start-up cache, on the system's JDK and every newer JDK
# in /usr/lib/jvm (cache off, archive in place, first start), and Apache Maven
# (`mvn --version`) for the peak memory of a larger application. Last the
# Swing desktop sample on the same display and JDKs, the launcher with the
# start-up cache on (archive in place) and off against `java -splash: -cp`:
# the splash on the screen, the first painted frame, peak memory and CPU time.
# And the launcher's own work before the JVM, from the trace's phase times.
# And the runtime install library (through tests/tools/runtime_install_tool):
# a 50 MB download with its SHA-256 against `curl -o` and `sha256sum` on a
# loopback server, unpacking the system JDK's files zipped against `unzip -q`,
# and the tool's peak memory while it installs a 50 MB archive.
# Usage: scripts/benchmark.sh [runs] [first-starts] (defaults 15 and 7);
#        scripts/benchmark.sh --desktop [runs]: the desktop sample alone;
#        scripts/benchmark.sh --own-work [runs]: the launcher's own work alone;
#        scripts/benchmark.sh --runtime-install [runs]: the runtime install alone.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
ensure_packages python3 cmake ninja-build g++ googletest openjdk-17-jdk-headless time g++-mingw-w64-x86-64-posix gcc-mingw-w64-i686-posix \
  xvfb x11-utils maven curl unzip libcurl4-openssl-dev libssl-dev zlib1g-dev

only=
case "${1:-}" in
  --desktop | --own-work | --runtime-install)
    only=${1#--}
    shift
    ;;
esac
runs=${1:-15}
first_runs=${2:-7}
cmake --preset host >/dev/null
cmake --build --preset host --target launcher sample_application desktop_application runtime_install_tool >/dev/null

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

# ---- Measuring and reporting ----

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
# quartiles [UNIT]: the median and the quartiles of the numbers read (unit ms unless given).
quartiles() {
  sort -n | awk -v unit="${1:-ms}" '{ v[NR] = $1 } END {
    printf "median %6.1f %s, quartiles %.1f-%.1f", v[int((NR + 1) / 2)], unit, v[int((NR + 3) / 4)], v[int((3 * NR + 3) / 4)] }'
}

# One run: "<milliseconds> <peak kilobytes> <CPU milliseconds>" (user and
# system time, which other work on the machine disturbs less than the wall
# clock; reported as a mean). Both streams discarded: Maven writes colour codes to standard error.
measure_quietly() {
  local start end
  start=$(date +%s%N)
  /usr/bin/time -f '%M %U %S' -o "$work/time.txt" "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000 )) $(cat "$work/time.txt")" |
    awk '{ printf "%.3f %d %.0f\n", $1 / 1000, $2, ($3 + $4) * 1000 }'
}
time_of() { cut -d' ' -f1 "$work/$1.txt" | median; }
memory_of() { cut -d' ' -f2 "$work/$1.txt" | median; }
# The mean: GNU time counts CPU time in hundredths of a second only.
cpu_of() { cut -d' ' -f3 "$work/$1.txt" | awk '{ sum += $1 } END { printf "%.1f", sum / NR }'; }

# report NAME LABEL REFERENCE: the medians of NAME and their ratios to those of REFERENCE.
report() {
  awk -v label="$2" -v t="$(time_of "$1")" -v m="$(memory_of "$1")" -v c="$(cpu_of "$1")" \
    -v rt="$(time_of "$3")" -v rm="$(memory_of "$3")" -v rc="$(cpu_of "$3")" \
    'BEGIN { printf "  %-28s %7.1f ms %6.1f ms CPU %7d KB peak   ratio to java: time %.3f, CPU %.3f, peak memory %.3f\n", label, t, c, m, t / rt, c / rc, m / rm }'
}
report_reference() {
  awk -v label="$2" -v t="$(time_of "$1")" -v m="$(memory_of "$1")" -v c="$(cpu_of "$1")" \
    'BEGIN { printf "  %-28s %7.1f ms %6.1f ms CPU %7d KB peak\n", label, t, c, m }'
}

# No build of the start-up cache under way: no class lists, jobs or partial archives left.
wait_for_builds() {
  while [ -n "$(find "$XDG_CACHE_HOME" -type f \( -name '*.classlist' -o -name '*.job' -o -name '*.tmp' \) 2>/dev/null)" ]; do
    sleep 0.1
  done
}

# The system's JDK and every newer JDK in /usr/lib/jvm.
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

# ---- The display and the windows mapped on it ----

# The display given, or a virtual one of the benchmark's own.
start_display() {
  [ -z "${DISPLAY:-}" ] || return 0
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" </dev/null >/dev/null 2>&1 &
  xvfb=$!
  until [ -s "$work/display" ]; do sleep 0.05; done
  DISPLAY=":$(head -n1 "$work/display")"
  export DISPLAY
}

# Writes to maps.txt, for each window created on the root, "create WINDOW
# WIDTHxHEIGHT" and, as the X server maps it (xev reports it), "map WINDOW
# EPOCH_SECONDS".
start_map_watcher() {
  : >"$work/maps.txt"
  stdbuf -oL xev -root -event substructure 2>/dev/null > >(
    event='' at=''
    while read -r line; do
      case $line in
        MapNotify*) event=map at=$EPOCHREALTIME ;;
        CreateNotify*) event=create ;;
        *) # The event's second line names the window.
          if [ "$event" = map ] && [[ $line =~ window\ (0x[0-9a-f]+) ]]; then
            echo "map ${BASH_REMATCH[1]} $at" >>"$work/maps.txt"
          elif [ "$event" = create ] && [[ $line =~ window\ (0x[0-9a-f]+),.*width\ ([0-9]+),\ height\ ([0-9]+) ]]; then
            echo "create ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}x${BASH_REMATCH[3]}" >>"$work/maps.txt"
          fi
          event= ;;
      esac
    done) &
  watcher=$!
  sleep 0.5
}
stop_map_watcher() {
  kill "$watcher" 2>/dev/null || true
  watcher=
}

# splash_shown_at WIDTHxHEIGHT START: the milliseconds from START (epoch
# seconds) until a window of the splash picture's size was mapped, or "-"
# when none is within two seconds (the watcher reads the events a little later).
splash_shown_at() {
  local deadline=$((SECONDS + 2)) shown
  while :; do
    shown=$(awk -v size="$1" '$1 == "create" && $3 == size { splash[$2] = 1 }
      $1 == "map" && ($2 in splash) { print $3; exit }' "$work/maps.txt")
    if [ -n "$shown" ] || [ "$SECONDS" -ge "$deadline" ]; then break; fi
    sleep 0.02
  done
  awk -v s="$2" -v w="${shown:--}" 'BEGIN { print (w == "-") ? "-" : sprintf("%.1f", (w - s) * 1000) }'
}

# ---- Hello world ----
hello_world() {
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
  cd "$root"
}

# ---- The splash screen ----
# main prints the wall clock in microseconds as it starts; the splash is on the
# screen when the X server maps the picture's window on the root.
splash_screen() {
  start_display
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

  start_map_watcher
  # One run: "<ms until main> <ms until the splash (80x60) shows, or - >"
  # (always - with -nosplash).
  splash_run() {
    local start main shown=-
    : >"$work/maps.txt"
    start=$EPOCHREALTIME
    main=$(./splash "$@")
    [ "${1:-}" = -nosplash ] || shown=$(splash_shown_at 80x60 "$start")
    awk -v s="$start" -v m="$main" -v w="$shown" 'BEGIN { printf "%.1f %s\n", (m / 1e6 - s) * 1000, w }'
  }

  cd "$work"
  ./splash >/dev/null
  : > with.txt
  : > without.txt
  for ((i = 0; i < runs; i++)); do
    splash_run >> with.txt
    splash_run -nosplash >> without.txt
  done
  stop_map_watcher

  echo "Splash screen ($DISPLAY, runtime's splash library, 80x60 PNG): $runs alternating runs each"
  printf 'splash on screen after the start   %s\n' "$(grep -v ' -$' with.txt | cut -d' ' -f2 | quartiles)"
  printf 'main starts, with the splash       %s\n' "$(cut -d' ' -f1 with.txt | quartiles)"
  printf 'main starts, with -nosplash        %s\n' "$(cut -d' ' -f1 without.txt | quartiles)"
  printf 'runs whose splash did not show     %d\n' "$(grep -c ' -$' with.txt || true)"
  cd "$root"
}

# ---- The start-up cache ----
# The sample application, on each JDK.
startup_cache() {
  export XDG_CACHE_HOME="$work/cache"
  mkdir -p "$work/sample"
  cp "$root/build/host/examples/sample.jar" "$work/sample/"
  cp "$root/build/host/launcher" "$work/sample/sample"
  # The heap limit the launcher computes for -Xmx10:64:512P.
  heap=$(awk '/MemTotal/ { mb = int($2 / 1024 / 10); print (mb < 64 ? 64 : mb > 512 ? 512 : mb) "m" }' /proc/meminfo)
  for home in $(sample_jdks); do
    # Without its splash, which java -cp does not show (the splash is measured above).
    for cache in No Yes; do
      sed -e "s|^Minimum Version=.*|JRE Path=$home|" -e "s|^Start-up Cache=.*|Start-up Cache=$cache|" \
        -e "/^Splash Screen=/d" "$root/examples/sample/sample.ini" > "$work/sample/sample-$cache.ini"
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
        measure_quietly ./sample >> "$work/sample-off.txt"
        use Yes
        measure_quietly ./sample >> "$work/sample-cached.txt"
        measure_quietly "${java_run[@]}" >> "$work/sample-java.txt"
      done
      # Each run starts once the build before it has ended and settled.
      for ((i = 0; i < first_runs; i++)); do
        rm -rf "$XDG_CACHE_HOME"
        sleep 0.5
        measure_quietly ./sample >> "$work/sample-first.txt"
        wait_for_builds
        sleep 0.5
        measure_quietly "${java_run[@]}" >> "$work/sample-first-java.txt"
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
}

# ---- Apache Maven: a larger application ----
maven() {
  local maven=/usr/share/maven
  classworlds=$(echo "$maven"/boot/plexus-classworlds-*.jar)
  mkdir -p "$work/maven"
  cp "$root/build/host/launcher" "$work/maven/mvn"
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
      measure_quietly ./mvn --version >> "$work/maven-launcher.txt"
      measure_quietly "$jdk/bin/java" -classpath "$classworlds" "${properties[@]}" \
        org.codehaus.plexus.classworlds.launcher.Launcher --version >> "$work/maven-java.txt"
    done
  )
  echo
  echo "Apache Maven $(dpkg-query -W -f='${Version}' maven 2>/dev/null) (mvn --version) on $jdk; $runs alternating runs each, medians"
  report_reference maven-java "java -classpath"
  report maven-launcher "launcher" maven-java
}

# ---- The desktop sample ----
# The Swing sample as built (desktop.ini, its splash), on each JDK: the launcher
# with the start-up cache on, archive in place, and off, against
# `java -splash:splash.png -cp desktop.jar <main class>` with the options the
# launcher passes (desktop.ini gives no JVM options: only the two properties
# below, added to both). Each run is one start that ends after the frame's
# first paint, measured from the shell's clock just before it for:
# - the splash on the screen: when the X server maps the picture's window (xev).
#   Reading the root window's pixels as the splash scenario does (ImageMagick's
#   import) takes a quarter of a second or more a read here, too coarse for
#   these times;
# - the first frame: the epoch milliseconds the sample writes to
#   desktop.firstPaintFile once that paint is flushed;
# - peak resident memory and CPU time, user and system, to the exit (GNU
#   time); the CPU time suffers less from other work on the machine.
# The spread of the java runs is the noise of the machine.
desktop_sample() {
  start_display
  start_map_watcher
  export XDG_CACHE_HOME="$work/desktop-cache"
  local dir="$work/desktop" built="$root/build/host/examples/desktop"
  mkdir -p "$dir"
  cp "$built/desktop.jar" "$built/splash.png" "$dir/"
  cp "$built/desktop" "$dir/desktop"
  local size main_class paint="$dir/first-paint.txt"
  # The picture's size, from its PNG header (two big-endian 32-bit numbers at byte 16).
  size=$(od -An -tu1 -j16 -N8 "$dir/splash.png" | awk '{ printf "%dx%d", (($1 * 256 + $2) * 256 + $3) * 256 + $4, (($5 * 256 + $6) * 256 + $7) * 256 + $8 }')
  main_class=$(sed -n 's/^Main Class=//p' "$built/desktop.ini")
  local properties=("-Ddesktop.firstPaintFile=$paint" -Ddesktop.exitAfterPaint=true)

  # desktop_run COMMAND...: one start, from the sample's folder: "<ms until
  # the splash shows, or -> <ms until the first frame> <peak kilobytes> <CPU ms>".
  desktop_run() {
    local start
    : >"$work/maps.txt"
    rm -f "$paint"
    start=$EPOCHREALTIME
    /usr/bin/time -f '%M %U %S' -o "$work/time.txt" "$@" >/dev/null 2>&1
    [ -s "$paint" ] || { echo "no first paint from $*" >&2; return 1; }
    awk -v s="$start" -v w="$(splash_shown_at "$size" "$start")" -v p="$(cut -d' ' -f2 "$paint")" \
      -v t="$(cat "$work/time.txt")" 'BEGIN { split(t, m, " "); printf "%s %.1f %d %.0f\n", w, p - s * 1000, m[1], (m[2] + m[3]) * 1000 }'
  }
  # desktop_line LABEL NAME FIELD [UNIT]: the quartiles of a field of NAME's runs
  # (those that have it) and the ratio of its median to that of java's.
  desktop_line() {
    local values reference
    values=$(cut -d' ' -f"$3" "$work/desktop-$2.txt" | grep -v '^-$' || true)
    reference=$(cut -d' ' -f"$3" "$work/desktop-java.txt" | grep -v '^-$' || true)
    if [ "${4:-ms}" = MB ]; then
      values=$(awk '{ printf "%.1f\n", $1 / 1024 }' <<<"$values")
      reference=$(awk '{ printf "%.1f\n", $1 / 1024 }' <<<"$reference")
    fi
    if [ -z "$values" ] || [ -z "$reference" ]; then
      printf '    %-22s no figures\n' "$1"
      return
    fi
    printf '    %-22s %s   ratio to java -cp %.2f\n' "$1" "$(quartiles "${4:-ms}" <<<"$values")" \
      "$(awk -v v="$(median <<<"$values")" -v r="$(median <<<"$reference")" 'BEGIN { print v / r }')"
  }
  # The spread of java's FIELD: q3 - q1, and as a share of the median.
  java_spread() {
    cut -d' ' -f"$1" "$work/desktop-java.txt" | grep -v '^-$' | sort -n | awk '{ v[NR] = $1 } END {
      q1 = v[int((NR + 3) / 4)]; q3 = v[int((3 * NR + 3) / 4)]; m = v[int((NR + 1) / 2)]
      printf "%.1f ms (%.0f%% of the median)", q3 - q1, 100 * (q3 - q1) / m }'
  }

  for home in $(sample_jdks); do
    for cache in Yes No; do
      sed -e "s|^Minimum Version=.*|JRE Path=$home\nVirtual Machine Parameters=${properties[*]}|" \
        -e "s|^Start-up Cache=.*|Start-up Cache=$cache|" "$built/desktop.ini" > "$dir/desktop-$cache.ini"
    done
    java_run=("$home/bin/java" -splash:splash.png -cp desktop.jar "${properties[@]}" "$main_class")
    (
      cd "$dir"
      rm -rf "$XDG_CACHE_HOME"
      use() { cp "desktop-$1.ini" desktop.ini; }
      # Warm the file cache, then build the archive.
      use No
      desktop_run ./desktop >/dev/null && desktop_run "${java_run[@]}" >/dev/null
      use Yes
      desktop_run ./desktop >/dev/null
      wait_for_builds
      archive=$(find "$XDG_CACHE_HOME" -name '*.jsa' -o -name '*.aot' | head -1)
      [ -n "$archive" ] || { echo "no start-up cache archive was built on $home" >&2; exit 1; }
      : > "$work/desktop-cached.txt"
      : > "$work/desktop-off.txt"
      : > "$work/desktop-java.txt"
      run_case() {
        case $1 in
          cached) use Yes; desktop_run ./desktop ;;
          off) use No; desktop_run ./desktop ;;
          java) desktop_run "${java_run[@]}" ;;
        esac >> "$work/desktop-$1.txt"
      }
      # Each round in another order, so that none is always first after another.
      local cases=(cached off java) k
      for ((i = 0; i < runs; i++)); do
        for ((k = 0; k < 3; k++)); do
          run_case "${cases[(i + k) % 3]}"
        done
      done
      echo
      echo "Desktop sample on $home ($(sed -n 's/^JAVA_VERSION="\(.*\)"/\1/p' "$home/release")), display $DISPLAY${xvfb:+ (Xvfb)};" \
        "$runs alternating runs each, from the process's start"
      echo "  start-up cache: ${archive##*.} archive ($(du -h "$archive" | cut -f1))"
      echo "  splash ($size PNG) on screen (X maps its window):"
      desktop_line "launcher, cache on" cached 1
      desktop_line "launcher, cache off" off 1
      desktop_line "java -splash: -cp" java 1
      echo "  first frame painted:"
      desktop_line "launcher, cache on" cached 2
      desktop_line "launcher, cache off" off 2
      desktop_line "java -splash: -cp" java 2
      echo "  peak resident memory:"
      desktop_line "launcher, cache on" cached 3 MB
      desktop_line "launcher, cache off" off 3 MB
      desktop_line "java -splash: -cp" java 3 MB
      echo "  CPU time, user and system, to the exit:"
      desktop_line "launcher, cache on" cached 4
      desktop_line "launcher, cache off" off 4
      desktop_line "java -splash: -cp" java 4
      echo "  noise, q3 - q1 of java -cp: first frame $(java_spread 2), splash $(java_spread 1), CPU $(java_spread 4)"
      echo "  runs whose splash did not show: launcher $(cat "$work/desktop-cached.txt" "$work/desktop-off.txt" | grep -c '^-' || true)," \
        "java $(grep -c '^-' "$work/desktop-java.txt" || true)"
    )
  done
  stop_map_watcher
}

# ---- The launcher's own work ----
# What a start spends in the launcher itself before the JVM exists, without
# loading the JVM library, from the trace's phases ("start" to
# "load-jvm-library", and "plan" to "jvm"): the sample application as shipped
# (installed runtimes searched, start-up cache on with its archive in place),
# on the system's JDK. Then the CPU time of the whole process up to
# JNI_CreateJavaVM, with a JVM library that ends the process there, against a
# program that does nothing.
own_work() {
  local folder="$work/own"
  mkdir -p "$folder/fake-runtime/lib/server"
  cp "$root/build/host/examples/sample.jar" "$folder/"
  cp "$root/build/host/launcher" "$folder/sample"
  sed -e "/^Splash Screen=/d" "$root/examples/sample/sample.ini" > "$folder/sample.ini"
  cat > "$folder/fake.c" <<'C'
#include <unistd.h>
int JNI_GetDefaultJavaVMInitArgs(void* args) { (void)args; return 0; }
int JNI_GetCreatedJavaVMs(void** vms, int size, int* count) { (void)vms; (void)size; *count = 0; return 0; }
int JNI_CreateJavaVM(void** vm, void** env, void* args) { (void)vm; (void)env; (void)args; _exit(0); }
C
  cc -O2 -shared -fPIC -o "$folder/fake-runtime/lib/server/libjvm.so" "$folder/fake.c"
  : > "$folder/fake-runtime/lib/libjava.so"
  echo 'JAVA_VERSION="17.0.2"' > "$folder/fake-runtime/release"
  printf 'int main(void) { return 0; }\n' > "$folder/nothing.c"
  cc -O2 -o "$folder/nothing" "$folder/nothing.c"
  mkdir -p "$folder/fake"
  cp "$root/build/host/launcher" "$folder/fake/sample"
  cp "$folder/sample.jar" "$folder/fake/"
  sed -e "s|^Minimum Version=.*|JRE Path=$folder/fake-runtime|" -e "s|^Start-up Cache=.*|Start-up Cache=No|" \
    "$folder/sample.ini" > "$folder/fake/sample.ini"
  (
    export XDG_CACHE_HOME="$work/own-cache"
    cd "$folder"
    ./sample >/dev/null
    wait_for_builds
    : > phases.txt
    for ((i = 0; i < runs; i++)); do
      : > trace.log
      QX_LAUNCHER_TRACE="$folder/trace.log" ./sample >/dev/null
      # Microseconds in the phases start, settings, runtime, environment and
      # plan, and the launcher's own part in all.
      awk '$3 == "phase" { sub(/^name="/, "", $4); sub(/"$/, "", $4); t[$4] = substr($2, 2) + 0 }
        END { printf "%d %d %d %d %d %d\n", t["settings"] - t["start"], t["runtime"] - t["settings"],
          t["environment"] - t["runtime"], t["load-jvm-library"] - t["environment"], t["jvm"] - t["plan"],
          t["load-jvm-library"] - t["start"] + t["jvm"] - t["plan"] }' trace.log >> phases.txt
    done
    # CPU time (user and system) of the process in milliseconds, which the
    # kernel counts exactly, unlike GNU time's hundredths.
    cat > cpu.py <<'PY'
import os, sys
pid = os.fork()
if pid == 0:
    quiet = os.open(os.devnull, os.O_WRONLY)
    os.dup2(quiet, 1)
    os.dup2(quiet, 2)
    os.execv(sys.argv[1], sys.argv[1:])
_, _, usage = os.wait4(pid, 0)
print("%.3f" % ((usage.ru_utime + usage.ru_stime) * 1000))
PY
    : > whole.txt
    : > nothing.txt
    for ((i = 0; i < runs; i++)); do
      python3 cpu.py fake/sample >> whole.txt
      python3 cpu.py ./nothing >> nothing.txt
    done
  )
  column_of() { cut -d' ' -f"$1" "$folder/phases.txt" | awk '{ print $1 / 1000 }' | quartiles; }
  echo
  echo "The launcher's own work before the JVM, the sample application on $jdk; $runs runs, from the trace"
  printf '  %-34s %s\n' "up to the settings" "$(column_of 1)" "reading the settings" "$(column_of 2)" \
    "finding the runtime" "$(column_of 3)" "the process environment" "$(column_of 4)" \
    "JVM options and start-up cache" "$(column_of 5)" "all of the launcher's own part" "$(column_of 6)"
  echo "CPU time of the process until JNI_CreateJavaVM (a JVM library that ends it there, cache off), $runs runs"
  printf '  %-34s %s\n' "launcher" "$(quartiles <"$folder/whole.txt")" \
    "a C program that does nothing" "$(quartiles <"$folder/nothing.txt")"
}

# The runtime install library against the usual tools, alternating runs.
runtime_install() {
  local folder="$work/install" tool="$root/build/host/tests/tools/runtime_install_tool" i
  mkdir -p "$folder/www"
  head -c 52428800 /dev/urandom >"$folder/www/archive.bin"
  local sha
  sha=$(sha256sum "$folder/www/archive.bin" | cut -c1-64)
  python3 "$root/tests/tools/archive_server.py" --root "$folder/www" --port-file "$folder/port" \
    --log "$folder/requests.log" </dev/null >/dev/null 2>&1 &
  local server=$!
  until [ -s "$folder/port" ]; do sleep 0.05; done
  local url="http://127.0.0.1:$(cat "$folder/port")/archive.bin"
  : >"$folder/curl.txt"
  : >"$folder/fetch.txt"
  for ((i = 0; i < runs; i++)); do
    rm -f "$folder/curl.bin" "$folder/fetch.bin"
    measure sh -c "curl -s -o '$folder/curl.bin' '$url' && sha256sum '$folder/curl.bin'" >>"$folder/curl.txt"
    measure "$tool" fetch "$url" "$sha" "$folder/fetch.bin" >>"$folder/fetch.txt"
  done
  # The system JDK's files (links followed), zipped as a vendor ships a runtime.
  python3 - "$jdk" "$folder/jdk.zip" <<'PY'
import os, sys, zipfile
jdk, archive = sys.argv[1:]
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
    for root, dirs, files in os.walk(jdk, followlinks=True):
        for name in files:
            path = os.path.join(root, name)
            if os.path.isfile(path):
                z.write(path, os.path.join("jdk", os.path.relpath(path, jdk)))
PY
  : >"$folder/unzip.txt"
  : >"$folder/unpack.txt"
  for ((i = 0; i < runs; i++)); do
    rm -rf "$folder/unzip" "$folder/unpack"
    measure unzip -q "$folder/jdk.zip" -d "$folder/unzip" >>"$folder/unzip.txt"
    measure "$tool" unpack "$folder/jdk.zip" "$folder/unpack" >>"$folder/unpack.txt"
  done
  local archive_sha
  archive_sha=$(sha256sum "$folder/jdk.zip" | cut -c1-64)
  rm -rf "$folder/store"
  measure "$tool" install --store "$folder/store" --sha256 "$archive_sha" "$folder/jdk.zip" >"$folder/install.txt"
  measure "$tool" hash "$folder/www/archive.bin" >"$folder/idle.txt"
  kill "$server"
  launcher_install "$folder"
  local entries
  entries=$(unzip -Z1 "$folder/jdk.zip" | wc -l)
  echo
  echo "The runtime install library; $runs alternating runs, medians"
  awk -v t="$(time_of install/fetch)" -v r="$(time_of install/curl)" \
    'BEGIN { printf "  %-44s %8.1f ms   curl -o and sha256sum %8.1f ms   ratio %.3f\n", "download of 50 MB with its SHA-256", t, r, t / r }'
  awk -v t="$(time_of install/unpack)" -v r="$(time_of install/unzip)" -v n="$entries" \
    'BEGIN { printf "  %-44s %8.1f ms   unzip -q %21.1f ms   ratio %.3f\n", "unpacking the JDK zipped (" n " entries)", t, r, t / r }'
  awk -v m="$(memory_of install/install)" -v i="$(memory_of install/idle)" \
    'BEGIN { printf "  %-44s %8d KB peak (the tool hashing a file: %d KB)\n", "install of that archive, from a file", m, i }'
  awk -v m="$(memory_of install/launcher-install)" -v u="$(memory_of install/launcher-usual)" \
    'BEGIN { printf "  %-44s %8d KB peak   its usual start %8d KB   %d KB above (goal: under 65536)\n", "the launcher installing it (Offer=auto)", m, u, m - u }'
}

# The launcher's peak memory while it installs the JDK's files zipped (its
# JVM library one that ends the process at JNI_CreateJavaVM, so that no JVM
# adds to the figure), against its usual start on the same runtime installed.
launcher_install() {
  local folder=$1 runtime="$1/pinned/jdk" i
  mkdir -p "$folder/pinned" "$folder/usual" "$folder/pin"
  # Links followed; a dangling one (the sources' zip some packages leave out) is left behind.
  cp -rL "$jdk" "$runtime" 2>/dev/null || true
  [ -d "$runtime/lib" ] || { echo "benchmark: cannot copy $jdk" >&2; return 1; }
  cat >"$folder/fake.c" <<'C'
#include <unistd.h>
int JNI_GetDefaultJavaVMInitArgs(void* args) { (void)args; return 0; }
int JNI_GetCreatedJavaVMs(void** vms, int size, int* count) { (void)vms; (void)size; *count = 0; return 0; }
int JNI_CreateJavaVM(void** vm, void** env, void* args) { (void)vm; (void)env; (void)args; _exit(0); }
C
  cc -O2 -shared -fPIC -o "$runtime/lib/server/libjvm.so" "$folder/fake.c"
  # Labelled with a version no runtime of the machine has, so that only the pinned one qualifies.
  sed -i 's/^JAVA_VERSION=.*/JAVA_VERSION="1.6.0_45"/' "$runtime/release"
  (cd "$folder/pinned" && zip -qr "$folder/pin/pinned.zip" jdk)
  local sha
  sha=$(sha256sum "$folder/pin/pinned.zip" | cut -c1-64)
  for target in usual pin; do
    cp "$root/build/host/launcher" "$folder/$target/sample"
    cp "$root/build/host/examples/sample.jar" "$folder/$target/"
  done
  printf '[Application]\nMain Class=com.example.sample.SampleApplication\n[Class Path]\nClass Path=sample.jar\n[Java Runtime Environment]\nJRE Path=%s\n' \
    "$runtime" >"$folder/usual/sample.ini"
  printf '[Application]\nMain Class=com.example.sample.SampleApplication\n[Class Path]\nClass Path=sample.jar\n[Java Runtime Environment]\nMinimum Version=1.6\nMaximum Version=1.6\n[Runtime Download]\nArchive URL=pinned.zip\nArchive SHA-256=%s\nOffer=auto\n' \
    "$sha" >"$folder/pin/sample.ini"
  : >"$folder/launcher-usual.txt"
  : >"$folder/launcher-install.txt"
  for ((i = 0; i < runs; i++)); do
    rm -rf "$folder/data"
    measure "$folder/usual/sample" >>"$folder/launcher-usual.txt"
    XDG_DATA_HOME="$folder/data" measure "$folder/pin/sample" >>"$folder/launcher-install.txt" 2>/dev/null
  done
  [ -n "$(ls "$folder/data"/runtimes 2>/dev/null)" ] || echo "benchmark: the launcher installed nothing" >&2
}

if [ "$only" = runtime-install ]; then
  runtime_install
elif [ "$only" = desktop ]; then
  desktop_sample
elif [ "$only" = own-work ]; then
  own_work
else
  hello_world
  splash_screen
  startup_cache
  maven
  own_work
  desktop_sample
  runtime_install
fi

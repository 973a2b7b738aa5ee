# Sourced, after lib.sh and lib/java_probe.sh, by the Linux scenarios of the
# start-up cache. The launcher runs probe.StartupWork with "Start-up Cache=Yes"
# or without; the cache lives in the scenario folder.

CACHE_FOLDER=
CLASS_LOG=

# begin_scenario, and the user's cache folder inside the scenario folder.
begin_cache_scenario() {
  begin_scenario
  export XDG_CACHE_HOME="$SCENARIO_DIR/cache-home"
  CACHE_FOLDER="$XDG_CACHE_HOME/Cache Test/7/StartupCache"
  CLASS_LOG="$SCENARIO_DIR/classes.log"
}

# The runtimes to try: the build's JDK, and the newest other JDK in
# /usr/lib/jvm when that is of a later version (a JDK with AOT caches).
cache_jdks() {
  local newest="" newest_major=0 home major
  for home in /usr/lib/jvm/*/; do
    home=$(readlink -f "$home")
    [ -x "$home/bin/java" ] && [ -f "$home/release" ] || continue
    major=$(sed -n 's/^JAVA_VERSION="\([0-9]*\).*/\1/p' "$home/release")
    if [ -n "$major" ] && [ "$major" -gt "$newest_major" ]; then newest=$home newest_major=$major; fi
  done
  printf '%s\n' "$JDK_HOME"
  if [ -n "$newest" ] && [ "$newest_major" -gt "${JDK_VERSION%%.*}" ]; then printf '%s\n' "$newest"; fi
}

# The feature version of a JDK (17, 25).
jdk_major() { sed -n 's/^JAVA_VERSION="\([0-9]*\).*/\1/p' "$1/release"; }

# Puts the launcher, probe.jar and work.jar (probe.StartupWork alone) in the scenario folder.
install_startup_work() {
  install_probe
  mkdir -p "$SCENARIO_DIR/unpacked"
  (cd "$SCENARIO_DIR/unpacked" && "$JDK_HOME/bin/jar" --extract --file ../probe.jar) || fail "cannot unpack probe.jar"
  "$JDK_HOME/bin/jar" --create --file "$SCENARIO_DIR/work.jar" -C "$SCENARIO_DIR/unpacked" probe/StartupWork.class ||
    fail "cannot make work.jar"
}

# write_cache_settings JDK CACHE [CLASS_PATH] [VM_PARAMETERS]: settings that run
# probe.StartupWork on the JDK (from work.jar;probe.jar unless CLASS_PATH says
# otherwise), with "Start-up Cache" set to CACHE; the class
# loading is logged to a file, so that the log tells where classes came from
# without touching the application's output.
write_cache_settings() {
  local jdk=$1 cache=$2 class_path=${3:-work.jar;probe.jar} parameters=${4:-}
  write_settings <<INI
[Product Information]
Product Name=Cache Test
Product Code=7
[Application]
Main Class=probe.StartupWork
[Class Path]
Class Path=$class_path
[Java Runtime Environment]
JRE Path=$jdk
Start-up Cache=$cache
Virtual Machine Parameters=-Xlog:class+load=info:file=$CLASS_LOG $parameters
INI
}

# run_to_files NAME CODE [ARGUMENTS...]: runs the launcher to its end, which
# must come with exit code CODE; its output goes to NAME.out and NAME.err.
run_to_files() {
  local name=$1 code=$2
  shift 2
  start_launcher "$@"
  expect_exit "$code" 60
  cp "$SCENARIO_DIR/stdout.txt" "$SCENARIO_DIR/$name.out"
  cp "$SCENARIO_DIR/stderr.txt" "$SCENARIO_DIR/$name.err"
}

# The output of a run is byte for byte that of another.
assert_same_output() {
  local name=$1 reference=$2 stream
  for stream in out err; do
    cmp -s "$SCENARIO_DIR/$reference.$stream" "$SCENARIO_DIR/$name.$stream" ||
      fail "std$stream of the $name run differs from the $reference run: $(diff "$SCENARIO_DIR/$reference.$stream" "$SCENARIO_DIR/$name.$stream" | head -20)"
  done
}

# The working files of builds (class lists, jobs, partial archives, build
# output) in the cache folder.
cache_working_files() { find "$CACHE_FOLDER" -maxdepth 1 -type f \( -name '*.classlist' -o -name '*.job' -o -name '*.tmp' -o -name '*.out' \) 2>/dev/null; }

# Waits (at most 120 s) until no build is under way.
wait_for_cache_builds() {
  local deadline=$((SECONDS + 120))
  while [ -n "$(cache_working_files)" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "a build of the start-up cache did not end: $(cache_working_files)"
    sleep 0.2
  done
}

# The archives in the cache folder, one a line, by name.
cache_archives() { find "$CACHE_FOLDER" -maxdepth 1 -type f \( -name '*.jsa' -o -name '*.aot' \) 2>/dev/null | sort; }

# assert_class_source CLASS shared|file: where the last run loaded CLASS from.
assert_class_source() {
  local class=$1 expected=$2 line
  line=$(grep -E "\] $class source: " "$CLASS_LOG" | tail -1)
  case $expected in
    shared) [[ $line == *"source: shared objects file"* ]] || fail "$class did not come from the archive: [$line]" ;;
    file) [[ $line == *"source: file:"* || $line == *"source: jar:"* ]] || fail "$class did not come from the class path: [$line]" ;;
  esac
}

#!/usr/bin/env bash
# A cache folder that cannot be made, or that cannot be written, changes
# nothing: the start prints what it prints without the cache, leaves no file
# and builds nothing.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/startup_cache.sh"
begin_cache_scenario

install_startup_work
chmod -R a+rX "$SCENARIO_DIR"
mkdir -m 1777 "$SCENARIO_DIR/logs"
CLASS_LOG="$SCENARIO_DIR/logs/classes.log"
# As root every folder can be written: the launcher then runs as "nobody".
as_user=()
if [ "$(id -u)" = 0 ]; then as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups); fi
run_as_user() {
  local name=$1
  (cd "$SCENARIO_DIR" && "${as_user[@]}" "$LAUNCHER") >"$SCENARIO_DIR/$name.out" 2>"$SCENARIO_DIR/$name.err" </dev/null
  assert_equals 0 "$?" "exit code of the $name run"
}

write_cache_settings "$JDK_HOME" No
run_as_user plain

# The user's cache folder is a file.
: >"$SCENARIO_DIR/cache-file"
export XDG_CACHE_HOME="$SCENARIO_DIR/cache-file"
write_cache_settings "$JDK_HOME" Yes
run_as_user no-folder
assert_same_output no-folder plain

# The cache folder is there but read-only.
export XDG_CACHE_HOME="$SCENARIO_DIR/cache-home"
mkdir -p "$CACHE_FOLDER"
chmod -R a-w "$XDG_CACHE_HOME"
use_trace
chmod a+w "$TRACE_FILE"
run_as_user read-only
assert_same_output read-only plain
# No build runs after the start that could still write a file.
trace_lines startup-cache | grep -q ' build-after=no$' || fail "a build was started: $(trace_lines startup-cache)"
assert_equals "" "$(find "$XDG_CACHE_HOME" -type f)" "files in the read-only cache folder"
chmod -R u+w "$XDG_CACHE_HOME"

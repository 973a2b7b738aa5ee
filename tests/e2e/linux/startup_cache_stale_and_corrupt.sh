#!/usr/bin/env bash
# An archive that no longer fits is never worse than none. One written to
# after its build (bytes overwritten, cut short) no longer matches its stamp:
# it is not used, and is built anew. One that matches its stamp but that the
# runtime refuses (a damaged header) is refused without a word on either
# stream, also when the VM parameters send warnings to standard error. An
# archive from before the jar changed is not used, and a new one replaces it.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/startup_cache.sh"
begin_cache_scenario

install_startup_work

# The one archive in the cache, once no build is under way.
the_archive() {
  wait_for_cache_builds
  local archives
  archives=$(cache_archives)
  [[ -f $archives && $(wc -l <<<"$archives") == 1 ]] || fail "expected one archive, got [$archives]"
  printf '%s' "$archives"
}

# Overwrites bytes of the archive in place, at an offset (default: its middle).
overwrite() {
  local archive=$1 offset=${2:-$(($(stat -c %s "$1") / 2))}
  chmod u+w "$archive"
  head -c 65536 /dev/urandom | dd of="$archive" bs=1 seek="$offset" count="${3:-65536}" conv=notrunc 2>/dev/null
}

# Writes the archive's stamp anew, as if it had been built as it is now.
restamp() {
  local archive=$1 seconds nanoseconds
  seconds=$(stat -c %Y "$archive")
  nanoseconds=$(stat -c %y "$archive" | sed 's/.*\.\([0-9]*\).*/\1/')
  printf '%s %s\n' "$(stat -c %s "$archive")" "$((seconds * 1000000000 + 10#$nanoseconds))" >"${archive%.*}.stamp"
}

for jdk in $(cache_jdks); do
  log "on $jdk"
  rm -rf "$XDG_CACHE_HOME"
  write_cache_settings "$jdk" No
  run_to_files plain 0
  write_cache_settings "$jdk" Yes
  run_to_files first 0
  archive=$(the_archive)

  overwrite "$archive"
  run_to_files overwritten 0
  assert_same_output overwritten plain
  assert_class_source probe.StartupWork file
  [ "$(the_archive)" = "$archive" ] || fail "the overwritten archive was not built anew"
  run_to_files rebuilt 0
  assert_same_output rebuilt plain
  assert_class_source probe.StartupWork shared

  head -c 100000 "$archive" >"$archive.part" && mv -f "$archive.part" "$archive"
  run_to_files truncated 0
  assert_same_output truncated plain
  assert_class_source probe.StartupWork file
  the_archive >/dev/null

  # A damaged header under a matching stamp: the runtime itself refuses it.
  overwrite "$archive" 0 16
  restamp "$archive"
  run_to_files refused 0
  assert_same_output refused plain
  assert_class_source probe.StartupWork file

  # The jar is made anew, with another entry: its size and time change (the
  # time set ahead, rather than waited for).
  "$JDK_HOME/bin/jar" --create --file "$SCENARIO_DIR/work.jar" -C "$SCENARIO_DIR/unpacked" probe/StartupWork.class \
    -C "$SCENARIO_DIR/unpacked" probe/NoMain.class || fail "cannot make work.jar anew"
  touch -d "@$(($(date +%s) + 10))" "$SCENARIO_DIR/work.jar" || fail "cannot change the time of work.jar"
  write_cache_settings "$jdk" No
  run_to_files plain 0
  write_cache_settings "$jdk" Yes
  run_to_files stale 0
  assert_same_output stale plain
  assert_class_source probe.StartupWork file
  rebuilt=$(the_archive)
  [ "$rebuilt" != "$archive" ] || fail "the archive of the old jar was not replaced"
  run_to_files rebuilt 0
  assert_same_output rebuilt plain
  assert_class_source probe.StartupWork shared

  # VM parameters that send the runtime's warnings to standard error.
  write_cache_settings "$jdk" No "" "-Xlog:all=warning:stderr"
  run_to_files plain 0
  write_cache_settings "$jdk" Yes "" "-Xlog:all=warning:stderr"
  run_to_files first 0
  archive=$(the_archive)
  overwrite "$archive" 0 16
  restamp "$archive"
  run_to_files refused 0
  assert_same_output refused plain
  assert_class_source probe.StartupWork file
done

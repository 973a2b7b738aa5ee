#!/usr/bin/env bash
# An archive that no longer fits is never worse than none: a damaged archive
# (bytes overwritten, cut short, replaced by noise) is refused without a word
# on either stream (also when the VM parameters send warnings to standard
# error), and an archive from before the jar changed is not used but replaced
# by a new one.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/startup_cache.sh"
begin_cache_scenario

install_startup_work
for jdk in $(cache_jdks); do
  log "on $jdk"
  rm -rf "$XDG_CACHE_HOME"
  write_cache_settings "$jdk" No
  run_to_files plain 0
  write_cache_settings "$jdk" Yes
  run_to_files first 0
  wait_for_cache_builds
  archive=$(cache_archives)
  [ -f "$archive" ] || fail "no archive was built"
  cp "$archive" "$SCENARIO_DIR/good-archive"

  chmod u+w "$archive"
  head -c 65536 /dev/urandom | dd of="$archive" bs=1 seek=$(($(stat -c %s "$archive") / 2)) conv=notrunc 2>/dev/null
  run_to_files overwritten 0
  assert_same_output overwritten plain
  assert_class_source probe.StartupWork file

  head -c 100000 "$SCENARIO_DIR/good-archive" >"$archive"
  run_to_files truncated 0
  assert_same_output truncated plain
  assert_class_source probe.StartupWork file

  head -c 3000000 /dev/urandom >"$archive"
  run_to_files noise 0
  assert_same_output noise plain
  assert_class_source probe.StartupWork file

  # The jar is made anew, with another entry: its size and time change.
  cp "$SCENARIO_DIR/good-archive" "$archive"
  sleep 1
  "$JDK_HOME/bin/jar" --create --file "$SCENARIO_DIR/work.jar" -C "$SCENARIO_DIR/unpacked" probe/StartupWork.class \
    -C "$SCENARIO_DIR/unpacked" probe/NoMain.class || fail "cannot make work.jar anew"
  write_cache_settings "$jdk" No
  run_to_files plain 0
  write_cache_settings "$jdk" Yes
  run_to_files stale 0
  assert_same_output stale plain
  assert_class_source probe.StartupWork file
  wait_for_cache_builds
  rebuilt=$(cache_archives)
  [[ -f $rebuilt && $rebuilt != "$archive" ]] || fail "expected one new archive in place of $archive, got [$rebuilt]"
  run_to_files rebuilt 0
  assert_same_output rebuilt plain
  assert_class_source probe.StartupWork shared

  # VM parameters that send the runtime's warnings to standard error: the
  # cache's stay off there too.
  write_cache_settings "$jdk" No "" "-Xlog:all=warning:stderr"
  run_to_files plain 0
  write_cache_settings "$jdk" Yes "" "-Xlog:all=warning:stderr"
  run_to_files first 0
  wait_for_cache_builds
  archive=$(cache_archives)
  [[ -f $archive && $archive != "$rebuilt" ]] || fail "expected one archive for the new options, got [$archive]"
  chmod u+w "$archive"
  head -c 65536 /dev/urandom | dd of="$archive" bs=1 seek=$(($(stat -c %s "$archive") / 2)) conv=notrunc 2>/dev/null
  run_to_files overwritten 0
  assert_same_output overwritten plain
  assert_class_source probe.StartupWork file
done

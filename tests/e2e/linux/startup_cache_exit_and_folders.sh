#!/usr/bin/env bash
# An application that ends through System.exit gets its archive too (the
# build starts from the runtime's exit hook). A class folder on the class
# path keeps its classes out of the archive, which holds the jars before it:
# they come from the archive, the folder's classes from the folder, and the
# output is the same. A class path that begins with a folder gets an archive
# of the runtime's classes alone.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/startup_cache.sh"
begin_cache_scenario

install_startup_work
cp -r "$SCENARIO_DIR/unpacked" "$SCENARIO_DIR/classes"
for jdk in $(cache_jdks); do
  log "on $jdk"
  rm -rf "$XDG_CACHE_HOME"
  write_cache_settings "$jdk" No
  run_to_files plain 3 exit 3
  write_cache_settings "$jdk" Yes
  run_to_files first 3 exit 3
  assert_same_output first plain
  wait_for_cache_builds
  [ -n "$(cache_archives)" ] || fail "no archive after an exit through System.exit"
  run_to_files cached 3 exit 3
  assert_same_output cached plain
  assert_class_source probe.StartupWork shared

  rm -rf "$XDG_CACHE_HOME"
  write_cache_settings "$jdk" No "work.jar;classes"
  run_to_files plain 0 load probe.ResourceLookup
  write_cache_settings "$jdk" Yes "work.jar;classes"
  run_to_files first 0 load probe.ResourceLookup
  assert_same_output first plain
  wait_for_cache_builds
  run_to_files cached 0 load probe.ResourceLookup
  assert_same_output cached plain
  assert_class_source probe.StartupWork shared
  assert_class_source probe.ResourceLookup file

  rm -rf "$XDG_CACHE_HOME"
  write_cache_settings "$jdk" No "classes;work.jar"
  run_to_files plain 0
  write_cache_settings "$jdk" Yes "classes;work.jar"
  run_to_files first 0
  assert_same_output first plain
  wait_for_cache_builds
  [ -n "$(cache_archives)" ] || fail "no archive for a class path that begins with a folder"
  run_to_files cached 0
  assert_same_output cached plain
  assert_class_source probe.StartupWork file
  assert_class_source java.lang.Object shared
done

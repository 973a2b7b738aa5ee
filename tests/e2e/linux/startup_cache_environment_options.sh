#!/usr/bin/env bash
# Class-sharing options that the runtime reads from JAVA_TOOL_OPTIONS keep the
# cache out of the way (a runtime with an AOT cache refuses to start beside
# -Xshare): the start is the one without the cache.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/startup_cache.sh"
begin_cache_scenario

install_startup_work
export JAVA_TOOL_OPTIONS=-Xshare:auto
for jdk in $(cache_jdks); do
  log "on $jdk"
  write_cache_settings "$jdk" No
  run_to_files plain 0
  write_cache_settings "$jdk" Yes
  run_to_files first 0
  assert_same_output first plain
  run_to_files second 0
  assert_same_output second plain
  assert_equals "" "$(find "$XDG_CACHE_HOME" -type f 2>/dev/null)" "files in the cache"
done

#!/usr/bin/env bash
# On each JDK: the first start with "Start-up Cache=Yes" records its classes and
# prints exactly what a start without the cache prints; an archive of the
# mechanism the runtime supports is then built in the background; the next
# start takes its classes from it and still prints the same, byte for byte.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/startup_cache.sh"
begin_cache_scenario

install_startup_work
for jdk in $(cache_jdks); do
  log "on $jdk"
  rm -rf "$XDG_CACHE_HOME"
  write_cache_settings "$jdk" No
  run_to_files plain 0 load probe.Probe
  assert_class_source probe.StartupWork file
  [ ! -e "$XDG_CACHE_HOME" ] || fail "the cache folder was made with the cache off"

  write_cache_settings "$jdk" Yes
  run_to_files first 0 load probe.Probe
  assert_same_output first plain
  wait_for_cache_builds
  archives=$(cache_archives)
  if [ "$(jdk_major "$jdk")" -ge 25 ]; then suffix=aot; else suffix=jsa; fi
  [[ $(wc -l <<<"$archives") == 1 && $archives == *.$suffix ]] || fail "expected one .$suffix archive, got [$archives]"

  run_to_files cached 0 load probe.Probe
  assert_same_output cached plain
  assert_class_source probe.StartupWork shared
  assert_class_source probe.Probe shared
  assert_equals "$archives" "$(cache_archives)" "the archives after the cached run"
done

#!/usr/bin/env bash
# The user's own JVM options file in the per-user folder: its -Xmx comes after
# the publisher's and wins (the application's Runtime.maxMemory() says so);
# under the default "User Options" (memory) any other option is dropped and
# named in the trace, "all" lets it through, "off" reads nothing, and service
# mode reads no per-user file at all.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/per_user_settings.sh"
begin_scenario
use_per_user_settings
use_trace
install_probe

# settings [RUNTIME_LINE [APPLICATION_LINE]]: the probe's settings with the
# publisher's 64 MB heap.
settings() {
  write_settings <<INI
$(product_information)
[Application]
Main Class=probe.Probe
${2:-}
[Class Path]
Class Path=probe.jar
[Java Runtime Environment]
JRE Path=$JDK_HOME
Virtual Machine Parameters=-Xmx64m
${1:-}
INI
}

# The heap limit the application sees is about MB megabytes (HotSpot reports
# a little less than -Xmx: one survivor space): assert_heap_near MB WHY.
assert_heap_near() {
  start_launcher environment
  expect_exit 0
  local bytes mb
  bytes=$(sed -n 's/^maxMemory=//p' "$SCENARIO_DIR/stdout.txt")
  mb=$(((bytes + (1 << 20) - 1) >> 20))
  [ "$mb" -le "$1" ] && [ "$mb" -gt $(($1 * 8 / 10)) ] || fail "maxMemory is $mb MB, not about $1 MB ($2)"
}

settings
assert_heap_near 64 "the publisher's without a user file"

mkdir -p "$PER_USER_DIR"
printf '\xEF\xBB\xBF# more memory\r\n\r\n  -Xmx512m  \r\n-Dprobe.value=from the user\r\n' >"$PER_USER_DIR/launcher.options"
assert_heap_near 512 "the user's"
assert_stdout_has "probe.value=null"
assert_trace_has "user-options path=\"$PER_USER_DIR/launcher.options\" policy=memory found=yes"
assert_trace_has 'user-option taken="-Xmx512m"'
assert_trace_has 'user-option dropped="-Dprobe.value=from the user" not a memory option'

settings "User Options=all"
assert_heap_near 512 "the user's, all options"
assert_stdout_has "probe.value=from the user"

settings "User Options=off"
assert_heap_near 64 "the publisher's, user options off"
assert_trace_has "user-options path=\"$PER_USER_DIR/launcher.options\" policy=off not read"

settings "User Options=all" "Application Type=service"
use_trace
assert_heap_near 64 "the publisher's in service mode"
assert_trace_lacks "user-option"

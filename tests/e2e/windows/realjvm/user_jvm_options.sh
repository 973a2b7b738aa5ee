#!/usr/bin/env bash
# The user's own options file (%APPDATA%\<product>\<code>\launcher.options)
# on a real JVM: its -Xmx comes after the publisher's and sets the heap the
# application sees; under the default "User Options" other options are
# dropped, under "all" they reach the JVM.
source "$(dirname "$0")/../../lib.sh"
source "$(dirname "$0")/../../lib/java_probe.sh"
source "$(dirname "$0")/../../lib/per_user_settings.sh"
begin_scenario
use_per_user_settings
install_probe

settings() {
  write_probe_settings probe.Probe "" "Virtual Machine Parameters=-Xmx64m
${1:-}
$(product_information)"
}

# assert_max_memory BYTES WHY: what Runtime.maxMemory() says.
assert_max_memory() {
  start_launcher environment
  expect_exit_without_dialog 0
  assert_equals "$1" "$(sed -n 's/^maxMemory=//p' "$SCENARIO_DIR/stdout.txt" | tr -d '\r')" "maxMemory $2"
}

settings
assert_max_memory $((64 << 20)) "with the publisher's -Xmx"
mkdir -p "$PER_USER_DIR"
printf '# more memory\r\n-Xmx200m\r\n-Dprobe.value=user\r\n' >"$PER_USER_DIR/launcher.options"
assert_max_memory $((200 << 20)) "with the user's -Xmx"
assert_stdout_has "probe.value=null"
settings "User Options=all"
assert_max_memory $((200 << 20)) "with every user option"
assert_stdout_has "probe.value=user"

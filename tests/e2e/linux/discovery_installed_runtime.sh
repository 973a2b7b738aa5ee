#!/usr/bin/env bash
# Without "JRE Path", the runtimes installed in /usr/lib/jvm count as registered
# ones: the version bounds pick the system's JDK. Without bounds that admit any
# runtime, the launcher says what it needs and ends with -1.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

case "$JDK_HOME" in
  /usr/lib/jvm/*) ;;
  *) fail "the JDK $JDK_HOME is not installed under /usr/lib/jvm" ;;
esac

install_launcher launcher
install_probe
write_installed_probe_settings
start_launcher environment
expect_exit 0
assert_stdout_has "QX_JVM_HOME=$JDK_HOME"

write_probe_runtime_settings "Minimum Version=1.6"
start_launcher environment
expect_exit 255
assert_stderr_is $'The Java Runtime Environment (JRE) was not found. Please  download and install a JRE (minimum version 1.6) from:\nhttps://adoptium.net/'

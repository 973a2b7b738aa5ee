#!/usr/bin/env bash
# What the settings make of the JVM: -Xss sizes the thread main runs on, a
# memory share becomes the heap limit, "Library Path" leads java.library.path,
# a quoted parameter arrives whole, and the runtime is published to the
# application's environment.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
settings() {
  write_probe_settings probe.Probe "" "Library Path=$SCENARIO_DIR/native
System Path=$SCENARIO_DIR/tools
Virtual Machine Parameters=$1 -Xmx10:64:512P \"-Dprobe.value=a b\""
}

# A deep recursion needs the large stack of -Xss; the runtime's default is far smaller.
settings -Xss256m
start_launcher recurse 400000
expect_exit 0
assert_stdout_is "reached depth 400000"
settings ""
start_launcher recurse 400000
expect_exit 0
assert_stderr_has "java.lang.StackOverflowError"

start_launcher environment
expect_exit 0
assert_stdout_has "java.library.path=$SCENARIO_DIR/native:$SCENARIO_DIR/:.:"
assert_stdout_has "probe.value=a b"
assert_stdout_has "QX_JVM_HOME=$JDK_HOME"
assert_stdout_has "QX_JVM_PATH=$JDK_HOME/lib/server/libjvm.so"
assert_stdout_has "PATH=$SCENARIO_DIR/tools:"
grep -q "^PATH=.*:$JDK_HOME/bin\$" "$SCENARIO_DIR/stdout.txt" || fail "the runtime's bin folder is not last on PATH"
physical=$(( $(awk '/MemTotal/ { print $2 }' /proc/meminfo) * 1024 ))
max_memory=$(sed -n 's/^maxMemory=//p' "$SCENARIO_DIR/stdout.txt")
limit=$(( physical / 10 ))
[ "$limit" -gt $((512 << 20)) ] && limit=$((512 << 20))
[ "$limit" -lt $((64 << 20)) ] && limit=$((64 << 20))
# The runtime reports a little less than -Xmx (one survivor space).
[ "$max_memory" -le "$limit" ] && [ "$max_memory" -gt $(( limit * 8 / 10 )) ] ||
  fail "maxMemory $max_memory does not match -Xmx of $limit bytes"

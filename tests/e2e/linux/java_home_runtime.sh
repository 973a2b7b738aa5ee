#!/usr/bin/env bash
# JAVA_HOME is the runtime of last resort: used only when the runtimes
# installed in /usr/lib/jvm give none within the bounds, and then with the
# same rules (its version from its release file).
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

case "$JDK_HOME" in
  /usr/lib/jvm/*) ;;
  *) fail "the JDK $JDK_HOME is not installed under /usr/lib/jvm" ;;
esac

install_probe
# A runtime of a version none of /usr/lib/jvm has: the system JDK's files
# under a release file of its own. (The JVM finds its home from its library's
# real path, so it runs as the system JDK.)
own="$SCENARIO_DIR/own-jdk"
mkdir -p "$own"
for entry in "$JDK_HOME"/*; do
  [ "${entry##*/}" = release ] || ln -s "$entry" "$own/" || fail "cannot link $entry"
done
# A fifth number would be dropped, so the fourth (the build's patch) is changed.
own_version="${JDK_VERSION_FOUR_PARTS%.*}.77"
printf 'JAVA_VERSION="%s"\nIMAGE_TYPE="JDK"\n' "$own_version" >"$own/release"

# run_with MINIMUM MAXIMUM: runs the probe's environment command with these bounds.
run_with() {
  write_probe_runtime_settings "Minimum Version=$1" "Maximum Version=$2"
  use_trace
  start_launcher environment
}

export JAVA_HOME=$own

# Bounds that the system JDK meets: JAVA_HOME is not consulted.
run_with "$JDK_VERSION" "$JDK_VERSION"
expect_exit 0
assert_stdout_has "QX_JVM_HOME=$JDK_HOME"
assert_trace_lacks 'source="JAVA_HOME"'

# Bounds that exclude every installed runtime and admit JAVA_HOME's.
run_with "$own_version" "$own_version"
expect_exit 0
assert_stdout_has "QX_JVM_HOME=$own"
assert_trace_has 'search stage="registry" candidates=0'
assert_trace_has "choice source=\"JAVA_HOME\" version=$own_version reason=\"the best-ranked of 1 candidates\""

# JAVA_HOME outside the bounds, or naming no folder: nothing qualifies.
export JAVA_HOME=$JDK_HOME
run_with "$own_version" "$own_version"
expect_exit 255
assert_stderr_has "The Java Runtime Environment (JRE) was not found."
assert_trace_has "candidate source=\"JAVA_HOME\" verdict=refused reason=\"below \\\"Minimum Version\\\" $own_version\""
export JAVA_HOME="$SCENARIO_DIR/uninstalled"
run_with "$own_version" "$own_version"
expect_exit 255
assert_trace_has 'candidate source="JAVA_HOME" verdict=refused reason="the folder it names is gone"'

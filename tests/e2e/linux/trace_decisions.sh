#!/usr/bin/env bash
# QX_LAUNCHER_TRACE with the real JDK: the per-user file's "JRE Path" and its
# layer, the candidates of /usr/lib/jvm with the choice, the JVM options as
# passed, System.exit's code, and the absent "Maximum Version" in words.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
begin_scenario

install_probe
export XDG_CONFIG_HOME="$SCENARIO_DIR/config"
per_user="$XDG_CONFIG_HOME/Probe/P1/launcher.ini"
mkdir -p "$(dirname "$per_user")"
printf '[Java Runtime Environment]\nJRE Path=%s\n' "$JDK_HOME" >"$per_user"
write_settings <<INI
[Product Information]
Product Name=Probe
Product Code=P1
[Application]
Main Class=probe.Probe
[Class Path]
Class Path=probe.jar
[Java Runtime Environment]
Virtual Machine Parameters=-Dprobe.value=traced
INI

use_trace
start_launcher exit 3
expect_exit 3
assert_trace_has "per-user-file path=$(quote "$per_user") found=yes"
assert_trace_has "setting section=\"Java Runtime Environment\" key=\"JRE Path\" value=$(quote "$JDK_HOME") layer=per-user-file"
assert_trace_has "candidate source=\"JRE Path\" home=$(quote "$JDK_HOME/") verdict=accepted"
assert_trace_has "jvm-library path=$(quote "$JDK_HOME/lib/server/libjvm.so") origin=\"JRE Path\" version=0.0.0.0 server=yes needs-companion=no"
assert_trace_has 'library-search rule=never-current current-directory-excluded=yes'
assert_trace_events jvm-option <<LINES
jvm-option index=0 text=$(quote "-Djava.class.path=$SCENARIO_DIR/probe.jar") extraInfo=none
jvm-option index=1 text="-Dprobe.value=traced" extraInfo=none
jvm-option index=2 text="abort" extraInfo=hook
jvm-option index=3 text="exit" extraInfo=hook
LINES
assert_trace_events main-argument <<'LINES'
main-argument index=0 text="exit"
main-argument index=1 text="3"
LINES
assert_trace_has 'exit code=3 reason="the application called System.exit"'

# Without "JRE Path" the installed runtimes are candidates; without "Maximum
# Version" none of them qualifies, which the trace says in words.
rm "$per_user"
use_trace
start_launcher
expect_exit 255
assert_trace_has "candidate source=\"HKLM\\\\Software\\\\JavaSoft\\\\Java Runtime Environment\\\\$JDK_VERSION\" verdict=refused reason=\"above \\\"Maximum Version\\\", which is absent, so the upper bound is 0.0.0.0\""
[[ $(trace_lines note) == *'"Maximum Version" is absent'* ]] || fail "no note on the absent maximum"
assert_trace_has 'exit code=-1 reason="failed without a message (the lines above tell why)"'

write_probe_runtime_settings "Maximum Version=any"
use_trace
start_launcher
expect_exit 0
assert_trace_has "candidate source=\"HKLM\\\\Software\\\\JavaSoft\\\\Java Runtime Environment\\\\$JDK_VERSION\" verdict=accepted version=$JDK_VERSION_FOUR_PARTS kind=JRE vendor=Sun home=$(quote "$JDK_HOME/") server=yes preferred=yes"
[[ $(trace_lines choice) == 'choice source='* ]] || fail "no choice line"
assert_trace_has 'exit code=0 reason="main returned and the JVM was destroyed"'

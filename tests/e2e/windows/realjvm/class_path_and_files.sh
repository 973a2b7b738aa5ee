#!/usr/bin/env bash
# What a real JVM makes of the class path the launcher builds: classes load
# from a jar that a wildcard found, resources from a folder (its name beyond
# ASCII) and from other jars, in the order of the entries; the executable
# itself is read as a jar with "Embedded Jar". -D options from "Virtual Machine Parameters" become
# system properties, the runtime is published to the environment, "Output
# File" (a name beyond ASCII and a folder it makes) and "Error File" receive
# System.out and System.err, and a non-daemon
# thread still running when main returns finishes before the launcher ends.
source "$(dirname "$0")/../../lib.sh"
source "$(dirname "$0")/../../lib/java_probe.sh"
begin_scenario

install_probe
# jar_with FILE NAME...: a jar holding each NAME as a resource (its text is the jar's name).
jar_with() {
  local file=$1
  shift
  python3 - "$file" "$@" <<'PY' || fail "cannot make $file"
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "a") as jar:
    for name in sys.argv[2:]:
        jar.writestr(name, sys.argv[1])
PY
}
mkdir -p "$SCENARIO_DIR/lib" "$SCENARIO_DIR/ressourcen-ü"
mv "$SCENARIO_DIR/probe.jar" "$SCENARIO_DIR/lib/probe.jar"
jar_with "$SCENARIO_DIR/lib/extra.jar" in-jar.txt
: >"$SCENARIO_DIR/ressourcen-ü/in-folder.txt"
jre=$(probe_runtime)
# UTF-8 settings with a byte-order mark, so that names beyond ASCII are read as written.
class_path_settings() {
  { printf '\xEF\xBB\xBF'; cat; } <<INI | write_settings
[Java Runtime Environment]
JRE Path=$jre
Virtual Machine Parameters=-Xss1m "-Dprobe.value=a b"
[Class Path]
Class Path=$1
[Application]
Main Class=$2
${3:-}
INI
}

class_path_settings 'lib\*.jar;ressourcen-ü' probe.ResourceLookup
start_launcher in-jar.txt in-folder.txt missing.txt
expect_exit_without_dialog 0
assert_lines_are "$SCENARIO_DIR/stdout.txt" $'in-jar.txt found\nin-folder.txt found\nmissing.txt missing'

class_path_settings 'lib\*.jar;ressourcen-ü' probe.Probe
start_launcher environment
expect_exit_without_dialog 0
here=$(win_path "$SCENARIO_DIR")
assert_stdout_has "java.class.path=$here\\lib\\extra.jar;$here\\lib\\probe.jar;$here\\ressourcen-ü"
assert_stdout_has "probe.value=a b"
assert_stdout_has "QX_JVM_HOME=$jre"
assert_stdout_has "QX_JVM_PATH=$jre\\bin\\server\\jvm.dll"

# The probe's classes inside the executable, after its own bytes, as a
# self-extracting archive carries them.
embed_classes "$SCENARIO_DIR/lib/probe.jar"
rm "$SCENARIO_DIR/lib/probe.jar"
class_path_settings 'ressourcen-ü' probe.ResourceLookup 'Embedded Jar=Yes'
start_launcher probe/Probe.class in-folder.txt
expect_exit_without_dialog 0
assert_lines_are "$SCENARIO_DIR/stdout.txt" $'probe/Probe.class found\nin-folder.txt found'

# Output and error files; the thread that outlives main writes its file later.
class_path_settings 'ressourcen-ü' probe.Probe $'Embedded Jar=Yes\nOutput File=logs\\Grüße\\out-日本.txt\nError File=logs\\err.txt'
start_launcher print "to standard output" "to standard error"
expect_exit_without_dialog 0
assert_lines_are "$SCENARIO_DIR/logs/Grüße/out-日本.txt" "to standard output"
assert_lines_are "$SCENARIO_DIR/logs/err.txt" "to standard error"
start_launcher linger 300 "$(win_path "$SCENARIO_DIR/lingered.txt")"
expect_exit_without_dialog 0
assert_lines_are "$SCENARIO_DIR/logs/Grüße/out-日本.txt" "main returns"
assert_lines_are "$SCENARIO_DIR/lingered.txt" "done"

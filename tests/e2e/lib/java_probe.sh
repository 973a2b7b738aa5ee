# Sourced, after lib.sh, by the scenarios that run the Java probe application
# (tests/fixtures/java) on a real JVM: on Linux the system's JDK, on Windows
# the real JVM beside the project (E2E_AVIAN_FOLDER), in a runtime folder of
# the scenario's own; without that JVM the Windows scenario is skipped. It is
# not one of lib.sh's pieces because it asks for the JVM when sourced, which
# the stub's scenarios have no use for.

if [ "$E2E_PLATFORM" = windows ]; then
  if [ -z "${E2E_AVIAN_FOLDER:-}" ]; then
    log "no real JVM for Windows on this machine (../shared/avian-jvm): skipped"
    exit 77
  fi
  require_variables E2E_AVIAN_JVM E2E_PROBE_JAR
else
  # The JDK the build compiled the probe with, and its version.
  JDK_HOME=$(dirname "$(dirname "$(readlink -f "$(command -v javac)")")")
  JDK_VERSION=$(sed -n 's/^JAVA_VERSION="\(.*\)"$/\1/p' "$JDK_HOME/release")
  # The same as the launcher prints versions: four numbers ("17.0.21" is 17.0.21.0).
  JDK_VERSION_FOUR_PARTS=$(awk -F. '{ printf "%d.%d.%d.%d", $1, $2, $3, $4 }' <<<"$JDK_VERSION")
fi

# The "JRE Path" of the probe's settings: the system JDK (linux) or the runtime
# folder "jre" that install_probe makes (windows).
probe_runtime() {
  if [ "$E2E_PLATFORM" = windows ]; then win_path "$SCENARIO_DIR/jre"; else printf '%s' "$JDK_HOME"; fi
}

# Puts the launcher and probe.jar in the scenario folder, and on Windows the
# real JVM as the runtime "jre" (jre\bin\server\jvm.dll).
install_probe() {
  local jar=${E2E_PROBE_JAR:-$(dirname "$E2E_LAUNCHER")/tests/fixtures/java/probe.jar}
  [ -f "$jar" ] || fail "no $jar: build the java_fixtures target"
  install_launcher
  cp "$jar" "$SCENARIO_DIR/probe.jar" || fail "cannot copy probe.jar"
  if [ "$E2E_PLATFORM" = windows ]; then install_runtime --library "$E2E_AVIAN_JVM" jre; fi
}

# embed_classes JAR: the jar's entries appended to the launcher, after its own
# bytes, as a self-extracting archive carries them ("Embedded Jar").
embed_classes() {
  python3 - "$1" "$LAUNCHER" <<'PY' || fail "cannot add the classes of $1 to the launcher"
import sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as jar, zipfile.ZipFile(sys.argv[2], "a") as executable:
    for entry in jar.infolist():
        executable.writestr(entry, jar.read(entry))
PY
}

# Settings that run MAIN_CLASS from probe.jar on the real JVM, with further
# lines for [Application] and for [Java Runtime Environment] (each may hold
# several lines).
write_probe_settings() {
  local main_class=$1 application=${2:-} runtime=${3:-}
  write_settings <<INI
[Application]
Main Class=$main_class
$application
[Class Path]
Class Path=probe.jar
[Java Runtime Environment]
JRE Path=$(probe_runtime)
$runtime
INI
}

# Settings for probe.Probe with the given lines in [Java Runtime Environment]
# (more sections may follow among them).
write_probe_runtime_settings() {
  write_settings <<INI
[Application]
Main Class=probe.Probe
[Class Path]
Class Path=probe.jar
[Java Runtime Environment]
$(printf '%s\n' "$@")
INI
}

# Settings for probe.Probe that leave the runtime to the installed ones: the
# system JDK's version is both bounds; more lines of that section may follow.
write_installed_probe_settings() {
  write_probe_runtime_settings "Minimum Version=$JDK_VERSION" "Maximum Version=$JDK_VERSION" "$@"
}

# The UTF-16 code units of a text as the probe prints them: " 0061 0020 0062".
code_units() {
  printf '%s' "$1" | iconv -f UTF-8 -t UTF-16BE | od -An -v -tx1 | tr -d ' \n' | sed 's/\(....\)/ \1/g'
}

# The application that the scenarios in common/ run: on Windows the stub
# runtime in "jre" with an empty app.jar (lib/stub_runtime.sh), on Linux the
# Java probe on the system's JDK (lib/java_probe.sh, sourced here). Sourced
# after lib.sh.

if [ "$E2E_PLATFORM" = linux ]; then source "$(dirname "${BASH_SOURCE[0]}")/java_probe.sh"; fi

# The jar that holds the application, beside the launcher, and its main class.
if [ "$E2E_PLATFORM" = windows ]; then
  APPLICATION_JAR=app.jar APPLICATION_MAIN_CLASS=com.example.Main
else
  APPLICATION_JAR=probe.jar APPLICATION_MAIN_CLASS=probe.Probe
fi

# The launcher under its own name in the scenario folder, the application beside it.
install_application() {
  if [ "$E2E_PLATFORM" = windows ]; then install_stub_application; else install_probe; fi
}

# install_application_in FOLDER: the launcher under its own name in FOLDER,
# the application beside it and its runtime as FOLDER/jre (the stub runtime, a
# link to the system's JDK), for settings with relative paths.
install_application_in() {
  local folder=$1
  install_launcher "$folder/$(launcher_file launcher)"
  if [ "$E2E_PLATFORM" = windows ]; then
    install_runtime "$folder/jre"
    : >"$SCENARIO_DIR/$folder/app.jar"
  else
    cp "$(dirname "$E2E_LAUNCHER")/tests/fixtures/java/probe.jar" "$SCENARIO_DIR/$folder/" &&
      ln -s "$JDK_HOME" "$SCENARIO_DIR/$folder/jre" || fail "cannot put the probe and the JDK in $folder"
  fi
}

# write_application_settings [APPLICATION_LINES]: settings that run the
# application's plain main (com.example.Main, probe.Probe), with further lines
# for [Application].
write_application_settings() {
  if [ "$E2E_PLATFORM" = windows ]; then
    write_stub_settings "" "${1:-}"
  else
    write_probe_settings probe.Probe "${1:-}"
  fi
}

# expect_application_runs [SECONDS]: started, the launcher runs the application
# to its end (exit 0, within E2E_EXIT_TIMEOUT or SECONDS). On Windows the JVM
# is created from "jre" and no dialog shows; on Linux the probe's main gets the
# one argument it is started with.
expect_application_runs() {
  if [ "$E2E_PLATFORM" = windows ]; then
    use_stub_log
    start_launcher
    expect_exit_without_dialog 0 "$@"
    assert_jvm_created_from jre
  else
    start_launcher arguments
    expect_exit 0 "$@"
    assert_stdout_has "count 1"
  fi
}

# write_secondary_settings FORM [APPLICATION_LINES]: settings that run an
# application whose secondaryMain has FORM (int or void), with its calls
# recorded afresh (secondary_calls in lib/instance.sh reads them).
write_secondary_settings() {
  local form=$1 lines=${2:-}
  if [ "$E2E_PLATFORM" = windows ]; then
    use_stub_log
    write_stub_settings "" "$lines"
    export STUB_JVM_SECONDARY=$form
  else
    write_probe_settings "probe.Secondary${form^}" "$lines"
    export PROBE_SECONDARY_LOG="$SCENARIO_DIR/secondary.log"
    : >"$PROBE_SECONDARY_LOG"
  fi
}

# delay_secondary_main MILLISECONDS: each call of secondaryMain takes that long
# before it returns and is recorded.
delay_secondary_main() {
  if [ "$E2E_PLATFORM" = windows ]; then
    export STUB_JVM_SECONDARY_DELAY_MS=$1
  else
    export PROBE_SECONDARY_DELAY_MS=$1
  fi
}

# secondary_call [--result R] [ARG...]: one call of secondaryMain as
# secondary_calls shows it: of the int form answering R, else of the void form.
secondary_call() {
  local result='' form=void arg
  if [ "${1:-}" = --result ]; then
    result=$2 form=int
    shift 2
  fi
  if [ "$E2E_PLATFORM" = windows ]; then
    local quoted=()
    for arg in "$@"; do quoted+=("$(quote "$arg")"); done
    local IFS=,
    printf 'secondaryMain class="com/example/Main" form=%s args=[%s]%s\n' \
      "$form" "${quoted[*]}" "${result:+ result=$result}"
  else
    printf 'args %d:' $#
    for arg in "$@"; do printf ' %s' "$(probe_units "$arg")"; done
    printf '%s\n' "${result:+ result $result}"
  fi
}

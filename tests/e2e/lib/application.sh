# The application that the scenarios in common/ run: on Windows the stub
# runtime in "jre" with an empty app.jar (lib/stub_runtime.sh), on Linux the
# Java probe on the system's JDK (lib/java_probe.sh, sourced here). Sourced
# after lib.sh.

if [ "$E2E_PLATFORM" = linux ]; then source "$(dirname "${BASH_SOURCE[0]}")/java_probe.sh"; fi

# The launcher under its own name in the scenario folder, the application beside it.
install_application() {
  if [ "$E2E_PLATFORM" = windows ]; then install_stub_application; else install_probe; fi
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

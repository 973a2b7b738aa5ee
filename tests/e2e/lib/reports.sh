# What the launcher reports when a start goes wrong, checked the same way on
# both platforms: on Windows it shows dialogs, on Linux (which has none) it
# writes to standard error.

# expect_start_failure MESSAGE [SECONDS]: the launcher reports MESSAGE, and only
# that, and ends with -1 (within E2E_EXIT_TIMEOUT or SECONDS of the report). On
# Windows an error dialog with the one button, pressed; on Linux standard error.
expect_start_failure() {
  local message=$1
  shift
  if [ "$E2E_PLATFORM" = windows ]; then
    expect_dialog
    assert_control_text 65535 "$message"
    assert_buttons 1
    press_button 1
    expect_exit 255 "$@"
  else
    expect_exit 255 "$@"
    assert_stderr_is "$message"
    assert_stdout_is ""
  fi
}

# No runtime qualifies, and that is the first thing the launcher reports; the
# start ends with -1. On Windows the "JRE Not Found" question, declined; on
# Linux its message on the first line of standard error (without a terminal
# nobody is asked).
expect_no_runtime_found() {
  if [ "$E2E_PLATFORM" = windows ]; then
    decline_runtime_question
  else
    expect_exit 255
    local first
    first=$(head -n 1 "$SCENARIO_DIR/stderr.txt")
    [[ $first == "The Java Runtime Environment (JRE) was not found."* ]] ||
      fail "expected the JRE Not Found message first on standard error, got [$first]"
  fi
}

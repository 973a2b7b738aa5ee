#!/usr/bin/env bash
# What a registration must be to count: a JDK's runtime is its jre folder; with
# "JVM Type"=server a runtime with only a client JVM is passed over; the 32-bit
# view is searched only for a pair product.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
: >"$SCENARIO_DIR/app.jar"

# run_with SETTING...: runs the launcher with these [Java Runtime Environment]
# lines and any version admitted.
run_with() {
  use_stub_log
  {
    printf '[Java Runtime Environment]\nMaximum Version=any\n'
    printf '%s\n' "$@"
    printf '[Class Path]\nClass Path=app.jar\n[Application]\nMain Class=com.example.Main\n'
  } | write_settings
  start_launcher
}

# A JDK holds a JVM of its own too; the one in jre is used.
install_runtime jdk
install_runtime jdk/jre
register_runtime --jdk 1.8 jdk
run_with
expect_exit_without_dialog 0
assert_jvm_created_from jdk/jre

install_runtime --vm client jre11
register_runtime 11 jre11
run_with
expect_exit_without_dialog 0
assert_jvm_created_from jre11 client
run_with "JVM Type=server"
expect_exit_without_dialog 0
assert_jvm_created_from jdk/jre

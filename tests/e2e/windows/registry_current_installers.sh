#!/usr/bin/env bash
# Runtimes registered as today's installers do (Java 9 and later, Temurin,
# Microsoft, Zulu, ...) are found when the vendor keys of old give no
# candidate, for the machine and for the current user, and chosen with the
# same rules; a vendor key with a candidate keeps them out. A key is a hint:
# one whose folder is gone is passed over for the next.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_launcher launcher.exe
: >"$SCENARIO_DIR/app.jar"
# main ends through System.exit(0): with IBM's runtimes accepted ("VM
# Provider"), a main that returns keeps the launcher waiting for it.
export STUB_JVM_MAIN_EXIT=0

# run_with SETTING...: runs the launcher with these [Java Runtime Environment]
# lines (and any version admitted unless they set "Maximum Version").
run_with() {
  use_stub_log
  {
    echo "[Java Runtime Environment]"
    printf '%s\n' "$@"
    printf '[Class Path]\nClass Path=app.jar\n[Application]\nMain Class=com.example.Main\n'
  } | write_settings
  start_launcher
}

# Each family alone, for the machine; some for the current user too (the unit
# tests register every family in both hives of this registry).
families=(
  'JavaSoft\JDK\17.0.2|JavaHome'
  'JavaSoft\JRE\9.0.4|JavaHome'
  'Eclipse Adoptium\JDK\17.0.2.8\hotspot\MSI|Path'
  'Eclipse Adoptium\JRE\17.0.2.8\hotspot\MSI|Path'
  'Eclipse Foundation\JDK\16.0.1.9\hotspot\MSI|Path'
  'Eclipse Foundation\JRE\16.0.1.9\hotspot\MSI|Path'
  'AdoptOpenJDK\JDK\11.0.10.9\hotspot\MSI|Path'
  'AdoptOpenJDK\JRE\11.0.10.9\hotspot\MSI|Path'
  'Microsoft\JDK\21.0.1.12\hotspot\MSI|Path'
  'Azul Systems\Zulu\zulu-17|InstallationPath'
  'BellSoft\Liberica\jdk-21|InstallationPath'
)
install_runtime current
write_release current 'JAVA_VERSION="17.0.9"'
user_families=("${families[0]}" "${families[2]}" "${families[9]}")
for hive in "" --user; do
  if [ -z "$hive" ]; then chosen=("${families[@]}"); else chosen=("${user_families[@]}"); fi
  for family in "${chosen[@]}"; do
    register_current_runtime $hive "${family%|*}" "${family#*|}" current
    run_with "Maximum Version=any"
    expect_exit_without_dialog 0
    assert_jvm_created_from current
    delete_created_keys
    CREATED_KEYS=()
  done
done

# OpenJ9 builds count as IBM's: Sun's alone are accepted unless "VM Provider" says so.
install_runtime semeru
register_current_runtime 'Semeru\JRE\17.0.8.7\openj9\MSI' Path semeru
run_with "Maximum Version=any"
decline_runtime_question
assert_log_lacks JNI_CreateJavaVM
run_with "Maximum Version=any" "VM Provider=ibm"
expect_exit_without_dialog 0
assert_jvm_created_from semeru

# Bounds, "JVM Source" and "Preferred versions" choose among them.
install_runtime temurin11
install_runtime ms21
register_current_runtime 'Eclipse Adoptium\JDK\11.0.21.9\hotspot\MSI' Path temurin11
register_current_runtime --user 'Microsoft\JDK\21.0.1.12\hotspot\MSI' Path ms21
run_with "Maximum Version=any"
expect_exit_without_dialog 0
assert_jvm_created_from ms21
run_with "Maximum Version=17"
expect_exit_without_dialog 0
assert_jvm_created_from temurin11
run_with "Maximum Version=any" "Preferred versions=11"
expect_exit_without_dialog 0
assert_jvm_created_from temurin11
run_with "Maximum Version=any" "VM Provider=favor_ibm" "JVM Source=favor_JRE"
expect_exit_without_dialog 0
assert_jvm_created_from semeru
run_with "Maximum Version=any" "JVM Source=only_JDK" "VM Provider=any"
expect_exit_without_dialog 0
assert_jvm_created_from ms21
run_with "Minimum Version=22" "Maximum Version=any"
decline_runtime_question
assert_log_lacks JNI_CreateJavaVM

# A vendor key of old with a candidate within the bounds decides alone ...
install_runtime jre8
register_runtime 1.8 jre8
run_with "Maximum Version=any"
expect_exit_without_dialog 0
assert_jvm_created_from jre8
# ... and one outside them leaves the choice to today's keys.
run_with "Minimum Version=9" "Maximum Version=any"
expect_exit_without_dialog 0
assert_jvm_created_from ms21

# A stale key (its folder uninstalled) is passed over for the next one; a
# Zulu key takes its version from the runtime's release file.
register_current_runtime 'Eclipse Adoptium\JDK\17.0.9.9\hotspot\MSI' Path uninstalled
install_runtime zulu
write_release zulu 'JAVA_VERSION="15.0.2"' 'IMAGE_TYPE="JDK"'
register_current_runtime 'Azul Systems\Zulu\zulu-15' InstallationPath zulu
run_with "Minimum Version=12" "Maximum Version=20"
expect_exit_without_dialog 0
assert_jvm_created_from zulu

#!/usr/bin/env bash
# A "JRE Path" whose jvm.dll cannot serve: an empty file, a file cut inside its
# headers, a 32-bit library and a folder of that name. Each brings up the
# loading error with the system's code (a 32-bit one with a pair product: the
# companion's) and the launcher ends with -1, no JVM created. "Pair Product"
# makes the launcher read the library's headers too.
source "$(dirname "$0")/../lib.sh"
begin_scenario

install_stub_application
library="$SCENARIO_DIR/jre/bin/server/jvm.dll"
tiny_i686="$(dirname "$E2E_LAUNCHER")/tests/unit/tiny_i686.dll"
[ -f "$tiny_i686" ] || fail "no $tiny_i686: build the tiny_images target"
write_stub_settings "" "Pair Product=companion.exe"

# expect_load_failure CODE: the message of a library that cannot be loaded.
expect_load_failure() {
  use_stub_log
  start_launcher
  expect_dialog
  assert_control_text 65535 "Failed to load Java VM library: $(win_path "$library") (errno = $1)."$'\n'
  press_button 1
  expect_exit 255 10
  assert_log_lacks JNI_
}

# 193: ERROR_BAD_EXE_FORMAT.
: >"$library"
expect_load_failure 193

head -c 200 "$E2E_STUB_JVM" >"$library"
expect_load_failure 193

# A 32-bit library is the pair product's to run (here one that is not there);
# without a pair product it does not load into this 64-bit process.
cp "$tiny_i686" "$library"
use_stub_log
start_launcher
expect_dialog
# A relative "Pair Product" is named from the current folder.
assert_control_text 65535 "Failed to start the pair product $(win_path "$SCENARIO_DIR/companion.exe") (errno = 2)."$'\n'
press_button 1
expect_exit 255 10
assert_log_lacks JNI_
write_stub_settings
expect_load_failure 193
write_stub_settings "" "Pair Product=companion.exe"

# 5: ERROR_ACCESS_DENIED, as Windows answers for a folder.
rm "$library"
mkdir "$library"
expect_load_failure 5

#!/usr/bin/env bash
# No runtime qualifies and the publisher pins an archive of the real JVM
# (bin\server\jvm.dll and a release file), served on loopback: the "JRE Not
# Found" dialog offers "Install Java 8 runtime"; pressed, the progress dialog
# shows the download, and the probe's main runs on the installed runtime. The
# next start takes it from the store without a request; "Offer=auto" installs
# without a question. Cancel in the progress dialog of a slow download brings
# the question back with no runtime in the store; wrong bytes show both hashes.
source "$(dirname "$0")/../../lib.sh"
source "$(dirname "$0")/../../lib/java_probe.sh"
source "$(dirname "$0")/../../lib/per_user_settings.sh"
source "$(dirname "$0")/../../lib/runtime_download.sh"
begin_scenario
use_per_user_settings
use_runtime_store

install_launcher
cp "${E2E_PROBE_JAR:-$(dirname "$E2E_LAUNCHER")/tests/fixtures/java/probe.jar}" "$SCENARIO_DIR/probe.jar"
install_runtime --library "$E2E_AVIAN_JVM" java8
PINNED_VERSION=1.8
write_release java8 'JAVA_VERSION="1.8.0"'
make_archive zip "$SCENARIO_DIR/java8" "$SCENARIO_DIR/www/java8.zip"
sha=$(sha256_of "$SCENARIO_DIR/www/java8.zip")
start_archive_server
pin=("Archive URL=$SERVER_URL/java8.zip" "Archive SHA-256=$sha" "Runtime Name=Java 8 runtime")
write_pinned_settings "${pin[@]}"

# The progress dialog's headline matches the pattern.
headline_matches() {
  ui_driver "$SCENARIO_DIR/progress.txt" list --process "$LAUNCHER_WIN" --caption "Installing Java 8 runtime" \
    --timeout 0 || return 1
  grep -qE "^control id=242 class=\"Static\" enabled=1 visible=1 text=\"$1\"$" "$SCENARIO_DIR/progress.txt"
}

# The question with its install button, which is pressed (with "enter": the
# Enter key, the install being the default button).
install_from_question() {
  expect_dialog --caption "JRE Not Found"
  assert_control_text 207 "Install Java 8 runtime"
  assert_buttons 1 2 202 207 -1
  if [ "${1:-}" = enter ]; then drive_dialog key --vk RETURN --caption "JRE Not Found"; else press_button 207; fi
}

set_server_rules '{"/java8.zip": ["drip:65536:100"]}'
start_launcher print installed err
install_from_question enter
wait_until "the progress dialog's download line" headline_matches "Downloading Java 8 runtime from 127.0.0.1:$SERVER_PORT"
expect_exit 0
assert_lines_are "$SCENARIO_DIR/stdout.txt" installed
assert_equals "${sha:0:16}" "$(stored_runtimes)" "runtimes in the store"
assert_server_log "GET /java8.zip range=- status=200 sent=$(stat -c %s "$SCENARIO_DIR/www/java8.zip")"

start_launcher print again err
expect_exit_without_dialog 0
assert_lines_are "$SCENARIO_DIR/stdout.txt" again
assert_equals 1 "$(server_log | wc -l)" "requests after the start from the store"

# Offer=auto, with nothing in the store: installed without a question, the
# progress dialog the first to show.
rm -rf "$RUNTIME_STORE"
write_pinned_settings "${pin[@]}" "Offer=auto"
set_server_rules '{"/java8.zip": ["drip:65536:100"]}'
start_launcher print auto err
expect_dialog
assert_caption "Installing Java 8 runtime"
expect_exit 0
assert_lines_are "$SCENARIO_DIR/stdout.txt" auto
wait_for_server_requests 2
assert_equals 2 "$(server_log | wc -l)" "requests after the install without a question"

# Cancel while it drips: the question is back, no runtime in the store.
rm -rf "$RUNTIME_STORE"
write_pinned_settings "${pin[@]}"
set_server_rules '{"/java8.zip": ["drip:4096:200*"]}'
start_launcher print cancelled err
install_from_question
wait_until "the progress dialog's download line" headline_matches "Downloading Java 8 runtime from .*"
drive_dialog key --vk ESCAPE --caption "Installing Java 8 runtime"
decline_runtime_question
assert_equals "" "$(stored_runtimes)" "runtimes in the store after Cancel"

# Wrong bytes: the failure's words, then the question again.
rm -rf "$RUNTIME_STORE"
set_server_rules '{"/java8.zip": ["wrong*"]}'
start_launcher print wrong err
install_from_question
expect_dialog --caption Error
control_field 65535 text | grep -qE "^\"Java 8 runtime could not be installed.\\\\n\\\\nThe archive from .*java8.zip is not the one the publisher pinned: its SHA-256 is [0-9a-f]{64}, expected $sha.\"$" ||
  fail "the failure's words are not the hash mismatch's"
press_button 1
decline_runtime_question
assert_equals "" "$(stored_runtimes)" "runtimes in the store after wrong bytes"

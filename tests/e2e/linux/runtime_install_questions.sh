#!/usr/bin/env bash
# The pinned runtime as a .zip (made here with jlink): on a terminal the
# launcher asks first whether to install it, "no" going on to the folder
# question and "yes" installing it over https and running the application.
# Without a network, the archive beside the launcher (a relative path) or a
# file: address serves as the second mirror.
# e2e time limit: 360 s
# (a jlink runtime made, archived and unpacked, and real JVMs started, on a
# machine the other tests keep busy)
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/per_user_settings.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario
use_per_user_settings
use_runtime_store
command -v script >/dev/null || fail "script (util-linux) is not installed"

install_probe
make_small_runtime
make_archive zip "$SCENARIO_DIR/small-jre" "$SCENARIO_DIR/www/small-jre.zip"
sha=$(sha256_of "$SCENARIO_DIR/www/small-jre.zip")
make_test_authority
export SSL_CERT_FILE="$tls/ca.pem"
start_archive_server --certificate "$tls/server.pem" --key "$tls/server.key"

write_pinned_settings "Archive URL=$SERVER_URL/small-jre.zip" "Archive SHA-256=$sha" "Runtime Name=Small runtime"
answer_on_terminal no ""
assert_equals 255 "$TERMINAL_EXIT" "exit code after no and an empty folder"
grep -qF 'Install Small runtime for this user? (yes/no): ' "$SCENARIO_DIR/transcript.txt" ||
  fail "the terminal did not ask about the install"
grep -qF 'Browse for JRE folder: ' "$SCENARIO_DIR/transcript.txt" || fail "no went on without the folder question"
answer_on_terminal yes
assert_equals 0 "$TERMINAL_EXIT" "exit code after yes"
grep -qE "^Downloading Small runtime from 127.0.0.1:$SERVER_PORT: .* of .* \(.*/s\)$" "$SCENARIO_DIR/transcript.txt" ||
  fail "the terminal did not show the download"
grep -qE '^Unpacking \([0-9]+ of [0-9]+ files\)$' "$SCENARIO_DIR/transcript.txt" || fail "the terminal did not show the unpacking"
grep -qE '(^|: )out$' "$SCENARIO_DIR/transcript.txt" || fail "the application did not run after the install"
assert_equals "${sha:0:16}" "$(stored_runtimes)" "runtimes in the store after the terminal's install"

# No network: the archive beside the launcher, then a file: address.
mv "$SCENARIO_DIR/www/small-jre.zip" "$SCENARIO_DIR/shipped.zip"
for source in shipped.zip "file://$SCENARIO_DIR/shipped.zip"; do
  rm -rf "$RUNTIME_STORE"
  write_pinned_settings "Archive URL=https://127.0.0.1:1/small-jre.zip" "Archive URL 2=$source" \
    "Archive SHA-256=$sha" "Offer=auto"
  start_launcher print "from $source" err
  expect_exit 0
  assert_stdout_is "from $source"
done

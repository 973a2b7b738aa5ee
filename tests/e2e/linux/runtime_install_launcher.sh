#!/usr/bin/env bash
# The launcher installs the publisher's pinned runtime, made here with jlink,
# when none qualifies: ten starts at once with "Offer=auto" over https (an
# authority made here) cause one download and all run the application; the
# next start takes the store's runtime with no request. The .zip is installed
# after "yes" on a terminal; "no" leads to the folder question. The machine's
# switch turns the offer off. Without a network, the archive beside the
# launcher (a relative path) or a file: address serves.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/java_probe.sh"
source "$(dirname "$0")/../lib/per_user_settings.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario
use_per_user_settings
use_runtime_store
command -v script >/dev/null || fail "script (util-linux) is not installed"

install_probe
"$JDK_HOME/bin/jlink" --add-modules java.base,java.xml --strip-debug --no-header-files --no-man-pages \
  --output "$SCENARIO_DIR/small-jre" || fail "jlink failed"
# Labelled 1.6 in its release file, so that no runtime of this machine
# qualifies for the bounds the application asks.
sed -i 's/^JAVA_VERSION=.*/JAVA_VERSION="1.6.0_45"/' "$SCENARIO_DIR/small-jre/release"
PINNED_VERSION=1.6
mkdir -p "$SCENARIO_DIR/www"
(cd "$SCENARIO_DIR" && tar czf www/small-jre.tar.gz small-jre) || fail "tar failed"
make_archive zip "$SCENARIO_DIR/small-jre" "$SCENARIO_DIR/www/small-jre.zip"
make_test_authority
export SSL_CERT_FILE="$tls/ca.pem"
start_archive_server --certificate "$tls/server.pem" --key "$tls/server.key"
tar_pin=("Archive URL=$SERVER_URL/small-jre.tar.gz" "Archive SHA-256=$(sha256_of "$SCENARIO_DIR/www/small-jre.tar.gz")"
  "Runtime Name=Small runtime")
zip_sha=$(sha256_of "$SCENARIO_DIR/www/small-jre.zip")

# Ten at once, none with a terminal; the download drips, so that the others
# start while the first installs.
write_pinned_settings "${tar_pin[@]}" "Offer=auto"
set_server_rules '{"/small-jre.tar.gz": ["drip:1048576:50*"]}'
pids=()
for i in $(seq 1 10); do
  (cd "$SCENARIO_DIR" && exec ./launcher print "start $i" err) </dev/null >"$SCENARIO_DIR/out-$i.txt" \
    2>"$SCENARIO_DIR/err-$i.txt" &
  pids+=($!)
  BACKGROUND_PIDS+=($!)
done
for i in $(seq 1 10); do
  wait "${pids[i - 1]}"
  status=$?
  [ "$status" -eq 0 ] || { cat "$SCENARIO_DIR/err-$i.txt"; fail "start $i ended with $status"; }
  assert_file_is "$SCENARIO_DIR/out-$i.txt" "start $i"
done
assert_server_log "GET /small-jre.tar.gz range=- status=200 sent=$(stat -c %s "$SCENARIO_DIR/www/small-jre.tar.gz")"
grep -q "^Downloading Small runtime from 127.0.0.1:$SERVER_PORT: " "$SCENARIO_DIR"/err-*.txt ||
  fail "no start printed the download's progress"

start_launcher print again err
expect_exit 0
assert_stdout_is again
assert_equals 1 "$(server_log | wc -l)" "requests after the start from the store"

# The .zip, asked on a terminal: "no" goes on to the folder, "yes" installs.
rm -rf "$RUNTIME_STORE"
write_pinned_settings "Archive URL=$SERVER_URL/small-jre.zip" "Archive SHA-256=$zip_sha" "Runtime Name=Small runtime"
answer_on_terminal no ""
assert_equals 255 "$TERMINAL_EXIT" "exit code after no and an empty folder"
grep -qF 'Install Small runtime for this user? (yes/no): Browse for JRE folder: ' "$SCENARIO_DIR/transcript.txt" ||
  fail "the terminal did not ask about the install, then for a folder"
answer_on_terminal yes
assert_equals 0 "$TERMINAL_EXIT" "exit code after yes"
grep -qx 'Unpacking ([0-9]* of [0-9]* files)' "$SCENARIO_DIR/transcript.txt" || fail "the terminal did not show the unpacking"
grep -qE '(^|: )out$' "$SCENARIO_DIR/transcript.txt" || fail "the application did not run after the install"
assert_equals "${zip_sha:0:16}" "$(stored_runtimes)" "runtimes in the store after the terminal's install"

# The machine's switch: no offer, the question as without a pin.
rm -rf "$RUNTIME_STORE"
if [ ! -e /etc/java-application-launcher.conf ] && [ -w /etc ]; then
  printf 'Runtime Download=off\n' >/etc/java-application-launcher.conf
  UNDO_COMMANDS+=("rm -f /etc/java-application-launcher.conf")
  write_pinned_settings "${tar_pin[@]}" "Offer=auto"
  use_trace
  start_launcher
  expect_exit 255
  assert_trace_has 'runtime-download offer=off the machine'"'"'s policy turns the runtime download off'
  rm -f /etc/java-application-launcher.conf
  unset QX_LAUNCHER_TRACE
else
  log "skipped the machine's switch: /etc/java-application-launcher.conf cannot be written"
fi

# No network: the archive beside the launcher, then a file: address.
cp "$SCENARIO_DIR/www/small-jre.zip" "$SCENARIO_DIR/shipped.zip"
for source in shipped.zip "file://$SCENARIO_DIR/shipped.zip"; do
  rm -rf "$RUNTIME_STORE"
  write_pinned_settings "Archive URL=https://127.0.0.1:1/small-jre.zip" "Archive URL 2=$source" \
    "Archive SHA-256=$zip_sha" "Offer=auto"
  start_launcher print "from $source" err
  expect_exit 0
  assert_stdout_is "from $source"
done

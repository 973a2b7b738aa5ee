#!/usr/bin/env bash
# The launcher installs the publisher's pinned runtime (made here with jlink,
# a .tar.gz served over https with an authority made here) when none
# qualifies: ten starts at once with "Offer=auto" cause one download and all
# run the application; the next start takes the store's runtime with no
# request. The machine's switch turns the offer off.
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

install_probe
make_small_runtime
mkdir -p "$SCENARIO_DIR/www"
(cd "$SCENARIO_DIR" && tar czf www/small-jre.tar.gz small-jre) || fail "tar failed"
make_test_authority
export SSL_CERT_FILE="$tls/ca.pem"
start_archive_server --certificate "$tls/server.pem" --key "$tls/server.key"
pin=("Archive URL=$SERVER_URL/small-jre.tar.gz" "Archive SHA-256=$(sha256_of "$SCENARIO_DIR/www/small-jre.tar.gz")"
  "Runtime Name=Small runtime" "Offer=auto")
write_pinned_settings "${pin[@]}"

# Ten at once, none with a terminal; the download drips, so that the others
# start while the first installs.
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

# The machine's switch: no offer, the question as without a pin.
rm -rf "$RUNTIME_STORE"
if [ ! -e /etc/java-application-launcher.conf ] && [ -w /etc ]; then
  printf 'Runtime Download=off\n' >/etc/java-application-launcher.conf
  UNDO_COMMANDS+=("rm -f /etc/java-application-launcher.conf")
  use_trace
  start_launcher
  expect_exit 255
  assert_trace_has "runtime-download offer=off the machine's policy turns the runtime download off"
  assert_equals 1 "$(server_log | wc -l)" "requests with the offer turned off"
else
  log "skipped the machine's switch: /etc/java-application-launcher.conf cannot be written"
fi

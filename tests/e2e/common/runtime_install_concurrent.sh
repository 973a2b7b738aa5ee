#!/usr/bin/env bash
# Ten starts at once without a runtime: one downloads while the others wait for
# the store's lock, and all ten end with the same runtime after one request.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario

serve_fixture_archive zip 1000000
# Slow enough that every start begins while the first still downloads.
set_server_rules '{"/jre.zip": ["drip:32768:100*"]}'

store="$SCENARIO_DIR/store"
for i in $(seq 1 10); do
  start_install_tool "start$i" install --store "$(native_path "$store")" --sha256 "$ARCHIVE_SHA" "$SERVER_URL/jre.zip"
done
waited=0
for i in $(seq 1 10); do
  wait_install_tool "start$i"
  assert_equals 0 "$?" "status of start $i"
  last=$(tail -n1 "$SCENARIO_DIR/start$i.out" | tr -d '\r')
  [[ "$last" =~ ^installed\ home=.*jre-17\ version=17.0.2\ key=${ARCHIVE_SHA:0:16}$ ]] || fail "start $i ended with '$last'"
  grep -q '^progress phase=waiting' "$SCENARIO_DIR/start$i.out" && waited=$((waited + 1))
done
assert_server_log "GET /jre.zip range=- status=200 sent=$ARCHIVE_SIZE"
[ "$waited" -ge 1 ] || fail "no start waited for the one that downloaded"
log "$waited starts waited for the lock"

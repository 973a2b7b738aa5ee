#!/usr/bin/env bash
# A slow download shows its progress and stops at Cancel, keeping what arrived
# for a later start; no runtime is named.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario

make_fixture_runtime "$SCENARIO_DIR/jre-17" 17.0.2
head -c 1000000 /dev/urandom >"$SCENARIO_DIR/jre-17/lib-modules"
make_archive zip "$SCENARIO_DIR/jre-17" "$SCENARIO_DIR/www/jre.zip"
sha=$(sha256_of "$SCENARIO_DIR/www/jre.zip")
size=$(stat -c %s "$SCENARIO_DIR/www/jre.zip")
start_archive_server
set_server_rules '{"/jre.zip": ["drip:8192:100*"]}'

store="$SCENARIO_DIR/store"
start_install_tool slow install --store "$(native_path "$store")" --sha256 "$sha" \
  --cancel-when "$(native_path "$SCENARIO_DIR/cancel")" "$SERVER_URL/jre.zip"
wait_for_install_line slow "^progress phase=downloading host=127.0.0.1:$SERVER_PORT bytes=[1-9][0-9]* total=$size "
: >"$SCENARIO_DIR/cancel"
wait_install_tool slow
assert_equals 1 "$?" "status after Cancel"
assert_equals "failed kind=cancelled http-status=0 entry=\"\": cancelled" "$(tail -n1 "$SCENARIO_DIR/slow.out" | tr -d '\r')" \
  "the tool's last line"
assert_equals "${sha:0:16}.part" "$(store_contents "$store")" "the store after Cancel"

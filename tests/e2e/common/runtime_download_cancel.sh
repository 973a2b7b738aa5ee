#!/usr/bin/env bash
# A slow download shows its progress and stops at Cancel, keeping what arrived
# for a later start; no runtime is named.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario

serve_fixture_archive zip 1000000
set_server_rules '{"/jre.zip": ["drip:8192:100*"]}'

store="$SCENARIO_DIR/store"
start_install_tool slow install --store "$(native_path "$store")" --sha256 "$ARCHIVE_SHA" \
  --cancel-when "$(native_path "$SCENARIO_DIR/cancel")" "$SERVER_URL/jre.zip"
wait_for_install_line slow "^progress phase=downloading host=127.0.0.1:$SERVER_PORT bytes=[1-9][0-9]* total=$ARCHIVE_SIZE "
: >"$SCENARIO_DIR/cancel"
wait_install_tool slow
assert_equals 1 "$?" "status after Cancel"
assert_equals "failed kind=cancelled http-status=0 entry=\"\": cancelled" "$(tail -n1 "$SCENARIO_DIR/slow.out" | tr -d '\r')" \
  "the tool's last line"
assert_equals "${ARCHIVE_SHA:0:16}.part" "$(store_contents "$store")" "the store after Cancel"

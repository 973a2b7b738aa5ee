#!/usr/bin/env bash
# A slow download shows its progress and stops at Cancel, keeping what arrived
# for a later start; no runtime is named. A download whose server has stopped
# sending ends as cancelled too, not as broken off (on Windows once the read
# that waits on the server times out).
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario

serve_fixture_archive zip 1000000
store="$SCENARIO_DIR/store"

# cancel_install NAME PROGRESS_PATTERN: starts the tool, cancels it once it
# printed the pattern, and checks that the cancel is what ended it.
cancel_install() {
  rm -f "$SCENARIO_DIR/cancel"
  start_install_tool "$1" install --store "$(native_path "$store")" --sha256 "$ARCHIVE_SHA" \
    --cancel-when "$(native_path "$SCENARIO_DIR/cancel")" "$SERVER_URL/jre.zip"
  wait_for_install_line "$1" "^progress phase=downloading host=127.0.0.1:$SERVER_PORT $2 total=$ARCHIVE_SIZE "
  : >"$SCENARIO_DIR/cancel"
  wait_install_tool "$1"
  assert_equals 1 "$?" "status after Cancel ($1)"
  assert_equals "failed kind=cancelled http-status=0 entry=\"\": cancelled" \
    "$(tail -n1 "$SCENARIO_DIR/$1.out" | tr -d '\r')" "the tool's last line ($1)"
  assert_equals "${ARCHIVE_SHA:0:16}.part" "$(store_contents "$store")" "the store after Cancel ($1)"
}

set_server_rules '{"/jre.zip": ["drip:8192:100*"]}'
cancel_install slow 'bytes=[1-9][0-9]*'

# The server sends the headers and a little of the body, then nothing, holding
# the connection open.
set_server_rules '{"/jre.zip": ["stall:4096*"]}'
cancel_install stalled 'bytes=[0-9]+'

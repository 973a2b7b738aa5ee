#!/usr/bin/env bash
# A disk that takes no more bytes (a file size limit here) ends the install
# with the bytes needed and free; what was fetched stays for the next start.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario

serve_fixture_archive zip 1000000

store="$SCENARIO_DIR/store"
(ulimit -f 500 && run_install_tool install --store "$store" --sha256 "$ARCHIVE_SHA" "$SERVER_URL/jre.zip" &&
  printf '%s\n' "$INSTALL_STATUS" "$INSTALL_OUTPUT" >"$SCENARIO_DIR/limited.txt")
assert_equals 1 "$(sed -n 1p "$SCENARIO_DIR/limited.txt")" "status at the file size limit"
[[ "$(sed -n 2p "$SCENARIO_DIR/limited.txt")" =~ ^failed\ kind=disk-full\ .*the\ disk\ is\ full:\ [1-9][0-9]*\ bytes\ needed,\ [0-9]+\ free ]] ||
  fail "unexpected outcome: $(sed -n 2p "$SCENARIO_DIR/limited.txt")"
assert_equals 512000 "$(stat -c %s "$store/${ARCHIVE_SHA:0:16}.part")" "bytes kept at the limit"

run_install_tool install --store "$store" --sha256 "$ARCHIVE_SHA" "$SERVER_URL/jre.zip"
assert_equals 0 "$INSTALL_STATUS" "status once there is room"
assert_equals "bytes=512000-" "$(sed -n '2s/.* range=\([^ ]*\) .*/\1/p' "$SCENARIO_DIR/requests.log")" "the range asked for"

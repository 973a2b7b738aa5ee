#!/usr/bin/env bash
# The pinned archive comes from the first mirror that has it: a 404 and a
# redirect on the way, then the store answers the next start with no request.
# Wrong bytes are refused with both hashes and leave nothing; without a
# network, the archive beside the executable (or a file: address) serves.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario

serve_fixture_archive zip 0
set_server_rules '{"/first.zip": ["404"], "/moved.zip": ["redirect:/jre.zip"]}'

store="$SCENARIO_DIR/store"
run_install_tool install --store "$(native_path "$store")" --sha256 "$ARCHIVE_SHA" \
  "$SERVER_URL/first.zip" "$SERVER_URL/moved.zip"
assert_equals 0 "$INSTALL_STATUS" "status of the install from the mirrors"
assert_install_output_matches "^installed home=.*jre-17 version=17.0.2 key=${ARCHIVE_SHA:0:16}$"
assert_server_log "GET /first.zip range=- status=404 sent=0
GET /moved.zip range=- status=302 sent=0
GET /jre.zip range=- status=200 sent=$ARCHIVE_SIZE"
assert_equals "${ARCHIVE_SHA:0:16}" "$(store_contents "$store")" "the store after the install"

run_install_tool install --store "$(native_path "$store")" --sha256 "$ARCHIVE_SHA" "$SERVER_URL/jre.zip"
assert_equals 0 "$INSTALL_STATUS" "status of the second start"
assert_equals 3 "$(server_log | wc -l)" "requests after the second start"

# Bytes that are not the pinned archive.
set_server_rules '{"/jre.zip": ["wrong"]}'
run_install_tool install --store "$(native_path "$SCENARIO_DIR/wrong")" --sha256 "$ARCHIVE_SHA" "$SERVER_URL/jre.zip"
assert_equals 1 "$INSTALL_STATUS" "status with wrong bytes"
assert_install_output_matches "^failed kind=hash-mismatch .* has SHA-256 [0-9a-f]{64}, not $ARCHIVE_SHA$"
assert_equals "" "$(store_contents "$SCENARIO_DIR/wrong")" "the store after wrong bytes"

# No network: the archive shipped beside the executable, or named by a file: address.
cp "$SCENARIO_DIR/www/jre.zip" "$SCENARIO_DIR/beside.zip"
run_install_tool install --store "$(native_path "$SCENARIO_DIR/offline")" --sha256 "$ARCHIVE_SHA" \
  http://127.0.0.1:1/jre.zip beside.zip
assert_equals 0 "$INSTALL_STATUS" "status of the offline install"
file_url="file://$(native_path "$SCENARIO_DIR/beside.zip" | tr '\\' /)"
[ "$E2E_PLATFORM" = windows ] && file_url="file:///$(win_path "$SCENARIO_DIR/beside.zip" | tr '\\' /)"
run_install_tool install --store "$(native_path "$SCENARIO_DIR/by-url")" --sha256 "$ARCHIVE_SHA" "$file_url"
assert_equals 0 "$INSTALL_STATUS" "status of the install from $file_url"

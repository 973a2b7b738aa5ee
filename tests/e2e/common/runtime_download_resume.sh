#!/usr/bin/env bash
# A download cut part-way keeps what arrived; the next start asks for the rest
# with a range request, hashes the whole and installs it.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario

serve_fixture_archive tar.gz 2000000
set_server_rules '{"/jre.tar.gz": ["cut:300000"]}'

store="$SCENARIO_DIR/store"
run_install_tool install --store "$(native_path "$store")" --sha256 "$ARCHIVE_SHA" --size "$ARCHIVE_SIZE" "$SERVER_URL/jre.tar.gz"
assert_equals 1 "$INSTALL_STATUS" "status of the cut download"
assert_install_output_matches "^failed kind=interrupted "
assert_equals "${ARCHIVE_SHA:0:16}.part" "$(store_contents "$store")" "the store after the cut"
assert_equals 300000 "$(stat -c %s "$store/${ARCHIVE_SHA:0:16}.part")" "bytes kept"

run_install_tool install --store "$(native_path "$store")" --sha256 "$ARCHIVE_SHA" --size "$ARCHIVE_SIZE" "$SERVER_URL/jre.tar.gz"
assert_equals 0 "$INSTALL_STATUS" "status of the resumed download"
assert_server_log "GET /jre.tar.gz range=- status=200 sent=300000
GET /jre.tar.gz range=bytes=300000- status=206 sent=$((ARCHIVE_SIZE - 300000))"
assert_equals "${ARCHIVE_SHA:0:16}" "$(store_contents "$store")" "the store after the resumed download"

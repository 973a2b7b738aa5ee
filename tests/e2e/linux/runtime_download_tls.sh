#!/usr/bin/env bash
# https with a certificate authority made here: refused, naming the server's
# certificate, until the system trusts the authority (OpenSSL's SSL_CERT_FILE);
# then installed. A redirect from https to http is refused.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario

make_test_authority

serve_fixture_archive tar.gz 0 --certificate "$tls/server.pem" --key "$tls/server.key"
sha=$ARCHIVE_SHA

run_install_tool install --store "$SCENARIO_DIR/store" --sha256 "$sha" "$SERVER_URL/jre.tar.gz"
assert_equals 1 "$INSTALL_STATUS" "status without the authority"
assert_install_output_matches "^failed kind=tls .* to 127.0.0.1:$SERVER_PORT was refused: .*CN ?= ?archive server"

export SSL_CERT_FILE="$tls/ca.pem"
run_install_tool install --store "$SCENARIO_DIR/store" --sha256 "$sha" "$SERVER_URL/jre.tar.gz"
assert_equals 0 "$INSTALL_STATUS" "status with the authority trusted"

set_server_rules "{\"/moved.tar.gz\": [\"redirect:http://127.0.0.1:$SERVER_PORT/jre.tar.gz\"]}"
run_install_tool install --store "$SCENARIO_DIR/other" --sha256 "$sha" "$SERVER_URL/moved.tar.gz"
assert_install_output_matches "^failed kind=redirect .* refused: http://127.0.0.1:$SERVER_PORT/jre.tar.gz$"

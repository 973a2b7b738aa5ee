#!/usr/bin/env bash
# https with a certificate authority made here: refused, naming the server's
# certificate, until the system trusts the authority (OpenSSL's SSL_CERT_FILE);
# then installed. A redirect from https to http is refused.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario

tls="$SCENARIO_DIR/tls"
mkdir -p "$tls"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$tls/ca.key" -out "$tls/ca.pem" -days 2 \
  -subj "/CN=Scenario Root" -addext basicConstraints=critical,CA:TRUE 2>/dev/null || fail "cannot make the authority"
openssl req -newkey rsa:2048 -nodes -keyout "$tls/server.key" -out "$tls/server.csr" -subj "/CN=archive server" \
  2>/dev/null || fail "cannot make the server's request"
printf 'subjectAltName=IP:127.0.0.1\n' >"$tls/san.ext"
openssl x509 -req -in "$tls/server.csr" -CA "$tls/ca.pem" -CAkey "$tls/ca.key" -CAcreateserial -days 2 \
  -extfile "$tls/san.ext" -out "$tls/server.pem" 2>/dev/null || fail "cannot sign the server's certificate"

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

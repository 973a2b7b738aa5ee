# Sourced after lib.sh by the scenarios of the runtime install library: they
# run tests/tools/runtime_install_tool (under Wine on Windows) against archives
# made here and the loopback server tests/tools/archive_server.py.
#
#   make_fixture_runtime FOLDER VERSION   a runtime in the system's layout
#   make_archive zip|tar.gz FOLDER FILE   an archive of FOLDER (its name the top folder)
#   serve_fixture_archive FORMAT BULK     a fixture runtime's archive, served: ARCHIVE_SHA, ARCHIVE_SIZE
#   make_test_authority                   $tls/ca.pem and a server certificate $tls/server.pem (key server.key) for 127.0.0.1
#   start_archive_server [--certificate PEM --key PEM]   serves $SCENARIO_DIR/www at SERVER_URL
#   set_server_rules JSON                 how the server answers (see archive_server.py)
#   server_log, assert_server_log LINES   the requests so far, one a line
#   run_install_tool ARGUMENT...          INSTALL_STATUS and INSTALL_OUTPUT (the last line)
#   start_install_tool NAME ARGUMENT...   in the background; NAME.out, pid in INSTALL_PIDS[NAME]
#   store_contents STORE                  what a store holds besides its lock

require_variables E2E_INSTALL_TOOL E2E_ARCHIVE_SERVER

# A runtime folder with a release file and a JVM library of this machine
# (the stub runtime on Windows, a 64-bit shared library on Linux).
make_fixture_runtime() {
  local folder=$1 version=$2
  mkdir -p "$folder/bin"
  printf 'JAVA_VERSION="%s"\n' "$version" >"$folder/release"
  if [ "$E2E_PLATFORM" = windows ]; then
    mkdir -p "$folder/bin/server"
    cp "$E2E_STUB_JVM" "$folder/bin/server/jvm.dll"
  else
    mkdir -p "$folder/lib/server"
    cp "$E2E_NO_JNI_LIBRARY" "$folder/lib/server/libjvm.so"
  fi
  printf '#!/bin/sh\necho fixture\n' >"$folder/bin/java"
  chmod +x "$folder/bin/java"
}

# Python's zipfile (Unix modes and links kept, as zip -ry does) or tarfile.
make_archive() {
  local format=$1 folder=$2 archive=$3
  mkdir -p "$(dirname "$archive")"
  python3 - "$format" "$folder" "$archive" <<'PYTHON' || fail "cannot make $archive"
import os, stat, sys, tarfile, zipfile
form, folder, archive = sys.argv[1:]
parent, top = os.path.split(os.path.abspath(folder))
if form == "tar.gz":
    with tarfile.open(archive, "w:gz") as tar:
        tar.add(os.path.join(parent, top), arcname=top)
    sys.exit(0)
with zipfile.ZipFile(archive, "w", zipfile.ZIP_DEFLATED) as z:
    for root, dirs, files in os.walk(os.path.join(parent, top)):
        for name in sorted(dirs) + sorted(files):
            path = os.path.join(root, name)
            entry = os.path.relpath(path, parent)
            info = zipfile.ZipInfo(entry + ("/" if os.path.isdir(path) and not os.path.islink(path) else ""))
            info.create_system = 3
            mode = os.lstat(path).st_mode
            info.external_attr = mode << 16
            if os.path.islink(path):
                z.writestr(info, os.readlink(path))
            elif os.path.isdir(path):
                z.writestr(info, b"")
            else:
                info.compress_type = zipfile.ZIP_DEFLATED
                with open(path, "rb") as f:
                    z.writestr(info, f.read())
PYTHON
}

sha256_of() { sha256sum "$1" | cut -c1-64; }

# A fixture runtime 17.0.2 with BULK bytes of noise (lib-modules), archived as
# www/jre.FORMAT and served (the options go to start_archive_server);
# ARCHIVE_SHA and ARCHIVE_SIZE describe the archive.
serve_fixture_archive() {
  local format=$1 bulk=$2
  shift 2
  make_fixture_runtime "$SCENARIO_DIR/jre-17" 17.0.2
  [ "$bulk" -eq 0 ] || head -c "$bulk" /dev/urandom >"$SCENARIO_DIR/jre-17/lib-modules"
  make_archive "$format" "$SCENARIO_DIR/jre-17" "$SCENARIO_DIR/www/jre.$format"
  ARCHIVE_SHA=$(sha256_of "$SCENARIO_DIR/www/jre.$format")
  ARCHIVE_SIZE=$(stat -c %s "$SCENARIO_DIR/www/jre.$format")
  start_archive_server "$@"
}

start_archive_server() {
  mkdir -p "$SCENARIO_DIR/www"
  local port_file="$SCENARIO_DIR/server.port"
  rm -f "$port_file"
  : >"$SCENARIO_DIR/requests.log"
  python3 "$E2E_ARCHIVE_SERVER" --root "$SCENARIO_DIR/www" --port-file "$port_file" \
    --log "$SCENARIO_DIR/requests.log" --rules "$SCENARIO_DIR/rules.json" "$@" \
    </dev/null >"$SCENARIO_DIR/server.out" 2>&1 &
  BACKGROUND_PIDS+=($!)
  local deadline=$((SECONDS + 10))
  until [ -s "$port_file" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the archive server did not start: $(cat "$SCENARIO_DIR/server.out")"
    sleep 0.05
  done
  SERVER_PORT=$(cat "$port_file")
  local scheme=http
  [ "${1:-}" = --certificate ] && scheme=https
  SERVER_URL="$scheme://127.0.0.1:$SERVER_PORT"
  log "archive server at $SERVER_URL"
}

make_test_authority() {
  tls="$SCENARIO_DIR/tls"
  mkdir -p "$tls"
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$tls/ca.key" -out "$tls/ca.pem" -days 2 \
    -subj "/CN=Scenario Root" -addext basicConstraints=critical,CA:TRUE 2>/dev/null || fail "cannot make the authority"
  openssl req -newkey rsa:2048 -nodes -keyout "$tls/server.key" -out "$tls/server.csr" -subj "/CN=archive server" \
    2>/dev/null || fail "cannot make the server's request"
  printf 'subjectAltName=IP:127.0.0.1\n' >"$tls/san.ext"
  openssl x509 -req -in "$tls/server.csr" -CA "$tls/ca.pem" -CAkey "$tls/ca.key" -CAcreateserial -days 2 \
    -extfile "$tls/san.ext" -out "$tls/server.pem" 2>/dev/null || fail "cannot sign the server's certificate"
}

set_server_rules() { printf '%s\n' "$1" >"$SCENARIO_DIR/rules.json"; }

server_log() { cat "$SCENARIO_DIR/requests.log"; }

# The server's requests so far are exactly these lines. The server writes a
# request's line once its answer is sent, which may be after the client has
# gone on: the lines are awaited first.
assert_server_log() {
  wait_for_server_requests "$(printf '%s\n' "$1" | wc -l)"
  assert_lines_are "$SCENARIO_DIR/requests.log" "$1"
}

# wait_for_server_requests N: until the server's log holds N requests.
wait_for_server_requests() {
  wait_until "$1 requests in the server's log" eval '[ "$(server_log | wc -l)" -ge '"$1"' ]'
}

install_tool_command() {
  if [ "$E2E_PLATFORM" = windows ]; then
    printf '%s\n' "$E2E_WINE" "$E2E_INSTALL_TOOL"
  else
    printf '%s\n' "$E2E_INSTALL_TOOL"
  fi
}

# Runs the tool in the scenario folder; its last line (installed or failed)
# is INSTALL_OUTPUT, all it printed is in install.out, its trace in install.err.
run_install_tool() {
  local command
  mapfile -t command < <(install_tool_command)
  (cd "$SCENARIO_DIR" && exec "${command[@]}" "$@") </dev/null >"$SCENARIO_DIR/install.out" 2>"$SCENARIO_DIR/install.err"
  INSTALL_STATUS=$?
  INSTALL_OUTPUT=$(tail -n1 "$SCENARIO_DIR/install.out" | tr -d '\r')
  log "runtime_install_tool $1: $INSTALL_STATUS $INSTALL_OUTPUT"
}

declare -A INSTALL_PIDS=()
start_install_tool() {
  local name=$1 command
  shift
  mapfile -t command < <(install_tool_command)
  (cd "$SCENARIO_DIR" && exec "${command[@]}" "$@") </dev/null >"$SCENARIO_DIR/$name.out" 2>"$SCENARIO_DIR/$name.err" &
  INSTALL_PIDS[$name]=$!
  BACKGROUND_PIDS+=($!)
}

# Waits for a started tool to end (at most 60 s); its status is returned.
wait_install_tool() {
  local pid=${INSTALL_PIDS[$1]} deadline=$((SECONDS + 60))
  while kill -0 "$pid" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "runtime_install_tool $1 did not end within 60 s"
    sleep 0.05
  done
  wait "$pid"
}

# Waits until a started tool has printed a line matching the pattern (grep -E).
wait_for_install_line() {
  local name=$1 pattern=$2 deadline=$((SECONDS + 30))
  until grep -qE "$pattern" "$SCENARIO_DIR/$name.out" 2>/dev/null; do
    kill -0 "${INSTALL_PIDS[$name]}" 2>/dev/null || fail "runtime_install_tool $name ended without '$pattern': $(cat "$SCENARIO_DIR/$name.out")"
    [ "$SECONDS" -lt "$deadline" ] || fail "runtime_install_tool $name printed no '$pattern' within 30 s"
    sleep 0.05
  done
}

store_contents() {
  [ -d "$1" ] || return 0
  (cd "$1" && ls -A | grep -vx 'install.lock' | sort)
}

assert_install_output_matches() {
  [[ "$INSTALL_OUTPUT" =~ $1 ]] || fail "the tool's last line '$INSTALL_OUTPUT' does not match '$1'"
}

# ---- The launcher's own install of a pinned runtime (after per_user_settings.sh).

# use_runtime_store: RUNTIME_STORE is where the launcher keeps the scenario
# product's runtimes (Linux: XDG_DATA_HOME in the scenario folder; Windows:
# LOCALAPPDATA of the prefix, removed at the end).
use_runtime_store() {
  [ -n "$PRODUCT_CODE" ] || fail "use_per_user_settings first"
  if [ "$E2E_PLATFORM" = linux ]; then
    export XDG_DATA_HOME="$SCENARIO_DIR/data"
    RUNTIME_STORE="$XDG_DATA_HOME/$PRODUCT_NAME/$PRODUCT_CODE/runtimes"
    return
  fi
  local data
  data=$("$E2E_WINE" cmd /c 'echo %LOCALAPPDATA%' </dev/null 2>/dev/null | tr -d '\r')
  data=$("$E2E_WINE" winepath -u "$data" </dev/null 2>/dev/null)
  [ -d "$data" ] || fail "cannot find the folder of LOCALAPPDATA"
  RUNTIME_STORE="$data/$PRODUCT_NAME/$PRODUCT_CODE/Runtimes"
  UNDO_COMMANDS+=("rm -rf $(printf '%q' "$data/$PRODUCT_NAME/$PRODUCT_CODE")")
}

# make_small_runtime: $SCENARIO_DIR/small-jre, a real runtime made with jlink,
# labelled 1.6 in its release file so that no runtime of this machine
# qualifies for the bounds of PINNED_VERSION, which it sets.
make_small_runtime() {
  "$JDK_HOME/bin/jlink" --add-modules java.base,java.xml --compress=2 --strip-debug --no-header-files \
    --no-man-pages --output "$SCENARIO_DIR/small-jre" || fail "jlink failed"
  sed -i 's/^JAVA_VERSION=.*/JAVA_VERSION="1.6.0_45"/' "$SCENARIO_DIR/small-jre/release"
  PINNED_VERSION=1.6
}

# The complete runtimes of the store: their folders (named by the hash's start).
stored_runtimes() { store_contents "$RUNTIME_STORE" | grep -Ex '[0-9a-f]{16}' || true; }

# write_pinned_settings PIN_LINE... : the probe application (java_probe.sh)
# with no runtime of its own and these lines in [Runtime Download]; the bounds
# are those of PINNED_VERSION (the version of the runtime the archive holds).
write_pinned_settings() {
  write_probe_runtime_settings "Minimum Version=$PINNED_VERSION" "Maximum Version=$PINNED_VERSION" \
    "$(product_information)" "[Runtime Download]" "$@"
}

# Branding a copy of the launcher with launcher-brand (E2E_BRAND: the host
# build on linux, the Windows build under Wine on windows), and the readers
# this project did not write that judge the result: objdump, pefile, wrestool,
# osslsigncode.

BRAND_EXIT=

# brand ARG...: runs the tool in the scenario folder; its output goes to
# brand.out and brand.err there, its exit code to BRAND_EXIT. With
# BRAND_FILE_LIMIT set, files it writes cannot grow past that many KiB, as
# on a full disk.
brand() {
  require_variables E2E_BRAND
  local runner=() limit=${BRAND_FILE_LIMIT:-}
  [ "$E2E_PLATFORM" = windows ] && runner=("$E2E_WINE")
  BRAND_EXIT=0
  (cd "$SCENARIO_DIR" && if [ -n "$limit" ]; then trap '' XFSZ && ulimit -f "$limit"; fi &&
    exec "${runner[@]}" "$E2E_BRAND" "$@") \
    </dev/null >"$SCENARIO_DIR/brand.out" 2>"$SCENARIO_DIR/brand.err" || BRAND_EXIT=$?
  log "launcher-brand $* -> $BRAND_EXIT"
  # Its own refusals are 2; anything else is worth its words (none: Wine lost it).
  [ "$BRAND_EXIT" -eq 0 ] || [ "$BRAND_EXIT" -eq 2 ] ||
    log "launcher-brand's standard error: $(cat "$SCENARIO_DIR/brand.err")"
}

# brand_refused MESSAGE ARG...: the tool refuses with exit code 2, names MESSAGE
# on standard error, and leaves the output (the last argument) as it was:
# missing, or unchanged.
brand_refused() {
  local message=$1
  shift
  local output="$SCENARIO_DIR/${*: -1}" before=missing after=missing
  [ -e "$output" ] && before=$(cksum <"$output")
  brand "$@"
  assert_equals 2 "$BRAND_EXIT" "exit code of launcher-brand $*"
  grep -qF -- "$message" "$SCENARIO_DIR/brand.err" ||
    fail "launcher-brand $*: expected [$message] on standard error, got [$(cat "$SCENARIO_DIR/brand.err")]"
  [ -e "$output" ] && after=$(cksum <"$output")
  assert_equals "$before" "$after" "the output of the refused launcher-brand $*"
  ! compgen -G "$SCENARIO_DIR/*.brand-tmp" >/dev/null || fail "launcher-brand $*: left a temporary file"
}

# make_png SIZE FILE [HEIGHT]: a picture of SIZE x HEIGHT (default square) pixels.
make_png() {
  convert -size "$1x${3:-$1}" gradient:navy-orange "png32:$SCENARIO_DIR/$2" || fail "cannot make $2"
}

# make_icon FILE: an icon of 16 and 32 pixels as bitmaps and 256 pixels as a
# PNG, the way icon editors save one.
make_icon() {
  make_png 16 icon16.png
  make_png 32 icon32.png
  make_png 256 icon256.png
  (cd "$SCENARIO_DIR" && icotool -c -o "$1" icon16.png icon32.png --raw=icon256.png) || fail "cannot make $1"
}

# make_hostile_inputs IMAGE PNG FOLDER: the hostile images and icons that
# tests/fixtures/brand_inputs makes from the launcher image and a picture, in
# FOLDER (made here) of the scenario.
make_hostile_inputs() {
  require_variables E2E_HOSTILE_INPUTS
  local folder="$SCENARIO_DIR/$3" paths=("$SCENARIO_DIR/$1" "$SCENARIO_DIR/$2" "$SCENARIO_DIR/$3") runner=()
  mkdir -p "$folder"
  if [ "$E2E_PLATFORM" = windows ]; then
    runner=("$E2E_WINE")
    paths=("$(win_path "${paths[0]}")" "$(win_path "${paths[1]}")" "$(win_path "${paths[2]}")")
  fi
  "${runner[@]}" "$E2E_HOSTILE_INPUTS" "${paths[@]}" "${paths[2]}" </dev/null >"$SCENARIO_DIR/hostile.out" 2>&1 ||
    fail "make_hostile_inputs failed: $(cat "$SCENARIO_DIR/hostile.out")"
}

# assert_readers_accept FILE: objdump and pefile read the image without a
# warning, and its checksum is the one pefile computes.
assert_readers_accept() {
  local file="$SCENARIO_DIR/$1" verdict
  x86_64-w64-mingw32-objdump -p "$file" >"$SCENARIO_DIR/objdump.txt" 2>"$SCENARIO_DIR/objdump.err" ||
    fail "objdump cannot read $1: $(cat "$SCENARIO_DIR/objdump.err")"
  [ ! -s "$SCENARIO_DIR/objdump.err" ] || fail "objdump warns about $1: $(cat "$SCENARIO_DIR/objdump.err")"
  verdict=$(/usr/bin/python3 - "$file" <<'PY'
import sys, pefile
pe = pefile.PE(sys.argv[1])
print("warnings=%s checksum=%s" % (pe.get_warnings(), pe.OPTIONAL_HEADER.CheckSum == pe.generate_checksum()))
PY
  ) || fail "pefile cannot read $1"
  assert_equals "warnings=[] checksum=True" "$verdict" "pefile's verdict on $1"
}

# assert_icon_extracts FILE ICON: wrestool rebuilds the launcher's icon group
# as an .ico file whose images are ICON's, byte for byte and with the same
# directory fields. (wrestool pads the file it writes, so the files themselves
# differ in length.)
assert_icon_extracts() {
  wrestool -x --type=14 --name=100 -o "$SCENARIO_DIR/extracted.ico" "$SCENARIO_DIR/$1" ||
    fail "wrestool cannot extract the icon of $1"
  /usr/bin/python3 - "$SCENARIO_DIR/extracted.ico" "$SCENARIO_DIR/$2" <<'PY' || fail "the icon wrestool extracts from $1 differs from $2"
import struct, sys
def images(path):
    data = open(path, "rb").read()
    count = struct.unpack_from("<H", data, 4)[0]
    found = []
    for i in range(count):
        fields = data[6 + 16 * i: 6 + 16 * i + 8]
        size, offset = struct.unpack_from("<II", data, 6 + 16 * i + 8)
        found.append((fields, data[offset:offset + size]))
    return found
sys.exit(0 if images(sys.argv[1]) == images(sys.argv[2]) and images(sys.argv[2]) else 1)
PY
}

# sign IN OUT: signs with a throwaway self-signed certificate (made once per
# scenario) and checks that osslsigncode verifies the signature.
sign() {
  local cert="$SCENARIO_DIR/cert.pem" key="$SCENARIO_DIR/key.pem"
  if [ ! -f "$cert" ]; then
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$key" -out "$cert" -days 2 -subj /CN=Test \
      -addext extendedKeyUsage=codeSigning >/dev/null 2>&1 || fail "cannot make a certificate"
  fi
  osslsigncode sign -certs "$cert" -key "$key" -in "$SCENARIO_DIR/$1" -out "$SCENARIO_DIR/$2" \
    >"$SCENARIO_DIR/sign.txt" 2>&1 || fail "osslsigncode cannot sign $1: $(cat "$SCENARIO_DIR/sign.txt")"
  osslsigncode verify -CAfile "$cert" -in "$SCENARIO_DIR/$2" >"$SCENARIO_DIR/verify.txt" 2>&1 ||
    fail "osslsigncode does not verify $2: $(cat "$SCENARIO_DIR/verify.txt")"
}

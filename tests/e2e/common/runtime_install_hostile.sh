#!/usr/bin/env bash
# Hostile archives, each with a good runtime beside its one bad entry, are
# refused naming that entry, and leave nothing in the store or outside it.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../lib/runtime_download.sh"
begin_scenario

make_fixture_runtime "$SCENARIO_DIR/jre" 17.0.2
mkdir -p "$SCENARIO_DIR/hostile"
# FILE|KIND|NAME|TARGET lines: an archive of the runtime and one more entry.
python3 - "$SCENARIO_DIR/jre" "$SCENARIO_DIR/hostile" <<'PYTHON' >"$SCENARIO_DIR/cases.txt" || fail "cannot make the archives"
import io, os, sys, tarfile, zipfile
runtime, out = sys.argv[1:]
cases = [
    ("zip", "file", "../outside.txt", ""),
    ("zip", "file", "/tmp/outside.txt", ""),
    ("zip", "file", "jre\\..\\..\\outside.txt", ""),
    ("zip", "file", "C:/outside.txt", ""),
    ("zip", "file", "jre/bin/java.exe:hidden", ""),
    ("zip", "file", "jre/lib/CON.dll", ""),
    ("zip", "file", "jre/lpt1", ""),
    ("zip", "link", "jre/escape", "../../outside.txt"),
    ("tar.gz", "file", "jre/../../outside.txt", ""),
    ("tar.gz", "link", "jre/etc", "/etc"),
    ("tar.gz", "link", "jre/lib/up", "../../.."),
    ("tar.gz", "hardlink", "jre/hard", "jre/release"),
    ("tar.gz", "fifo", "jre/pipe", ""),
]
def runtime_files():
    for root, dirs, files in os.walk(runtime):
        for name in files:
            path = os.path.join(root, name)
            yield path, os.path.join("jre", os.path.relpath(path, runtime))
for index, (form, kind, name, target) in enumerate(cases):
    archive = os.path.join(out, "%d.%s" % (index, form))
    if form == "zip":
        with zipfile.ZipFile(archive, "w") as z:
            for path, entry in runtime_files():
                z.write(path, entry)
            info = zipfile.ZipInfo(name)
            info.create_system = 3
            info.external_attr = (0o120777 if kind == "link" else 0o100644) << 16
            z.writestr(info, target if kind == "link" else "bad")
    else:
        with tarfile.open(archive, "w:gz") as tar:
            for path, entry in runtime_files():
                tar.add(path, arcname=entry)
            info = tarfile.TarInfo(name)
            info.type = {"file": tarfile.REGTYPE, "link": tarfile.SYMTYPE, "hardlink": tarfile.LNKTYPE,
                         "fifo": tarfile.FIFOTYPE}[kind]
            info.linkname = target
            data = b"bad" if kind == "file" else b""
            info.size = len(data)
            tar.addfile(info, io.BytesIO(data))
    print("%s|%s" % (archive, name))
PYTHON

while IFS='|' read -r archive entry; do
  store="$SCENARIO_DIR/store"
  run_install_tool install --store "$(native_path "$store")" --sha256 "$(sha256_of "$archive")" \
    "$(native_path "$archive")"
  assert_equals 1 "$INSTALL_STATUS" "status for ${archive##*/}"
  [[ "$INSTALL_OUTPUT" == "failed kind=bad-archive http-status=0 entry=\"$entry\": "* ]] ||
    fail "${archive##*/}: expected the refusal of [$entry], got [$INSTALL_OUTPUT]"
  assert_equals "" "$(store_contents "$store")" "the store after ${archive##*/}"
done <"$SCENARIO_DIR/cases.txt"
[ ! -e "$SCENARIO_DIR/outside.txt" ] && [ ! -e /tmp/outside.txt ] || fail "an entry was written outside the store"

# Bombs: beyond the unpacked bytes or the entries allowed, at the entry that crosses.
python3 - "$SCENARIO_DIR/bomb.zip" <<'PYTHON' || fail "cannot make the bomb"
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "w", zipfile.ZIP_DEFLATED) as z:
    for i in range(1, 6):
        z.writestr("jre/f%d" % i, b"\0" * 1000000)
PYTHON
sha=$(sha256_of "$SCENARIO_DIR/bomb.zip")
run_install_tool install --store "$(native_path "$SCENARIO_DIR/store")" --sha256 "$sha" --max-unpacked-bytes 4000000 bomb.zip
assert_install_output_matches '^failed kind=bad-archive http-status=0 entry="jre/f5": .*more unpacked bytes than a runtime holds$'
run_install_tool install --store "$(native_path "$SCENARIO_DIR/store")" --sha256 "$sha" --max-entries 3 bomb.zip
assert_install_output_matches '^failed kind=bad-archive http-status=0 entry="jre/f4": .*more entries than a runtime holds$'
assert_equals "" "$(store_contents "$SCENARIO_DIR/store")" "the store after the bombs"

# A good archive of a runtime the bounds rule out.
make_archive zip "$SCENARIO_DIR/jre" "$SCENARIO_DIR/old.zip"
run_install_tool install --store "$(native_path "$SCENARIO_DIR/store")" --sha256 "$(sha256_of "$SCENARIO_DIR/old.zip")" \
  --minimum 21 old.zip
assert_install_output_matches '^failed kind=not-qualified .*version 17.0.2 is below "Minimum Version" 21.0.0.0$'
assert_equals "" "$(store_contents "$SCENARIO_DIR/store")" "the store after a runtime out of bounds"

#!/usr/bin/env bash
# scripts/release.sh, run in two copies of the source tree whose folders have
# names of different lengths, gives byte-identical files in dist/: no time
# stamp and no build path reaches them. SHA256SUMS holds their sums, the
# Windows images carry no link time, and --show of the release launcher prints
# the project's version. Two optimised builds without a compiler cache take
# minutes.
# e2e time limit: 1800 s
source "$(dirname "$0")/../lib.sh"
begin_scenario

root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel) || fail "not in a clone"
copies=(one copy-with-a-longer-name)
for copy in "${copies[@]}"; do
  mkdir -p "$SCENARIO_DIR/$copy"
  (cd "$root" && git ls-files -z --cached --others --exclude-standard | xargs -0 tar -cf - --) |
    tar -xf - -C "$SCENARIO_DIR/$copy" || fail "cannot copy the source tree"
  (cd "$SCENARIO_DIR/$copy" && bash scripts/release.sh) >"$SCENARIO_DIR/$copy.log" 2>&1 ||
    fail "scripts/release.sh failed in $copy: $(tail -n 20 "$SCENARIO_DIR/$copy.log")"
done

first="$SCENARIO_DIR/${copies[0]}/dist" second="$SCENARIO_DIR/${copies[1]}/dist"
assert_equals "SHA256SUMS launcher-brand launcher-brand.exe launcher-console.exe launcher-package launcher.exe" \
  "$(cd "$first" && export LC_ALL=C && echo *)" "the files in dist/"
diff -r "$first" "$second" || fail "two builds of the same source differ"
(cd "$first" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
! grep -rlF "${copies[1]}" "$second" || fail "a build path reached the files above"
for image in launcher.exe launcher-console.exe launcher-brand.exe; do
  # Read whole first: grep -q ending the pipe early would fail it under pipefail.
  stamp=$(objdump -p "$first/$image" | grep '^Time/Date')
  [[ "$stamp" =~ ^Time/Date[[:space:]]+Thu\ Jan\ \ 1\ 00:00:00\ 1970$ ]] || fail "$image carries a link time: $stamp"
done
version=$(sed -n 's/^project(launcher VERSION \([0-9.]*\) .*/\1/p' "$root/CMakeLists.txt")
"$first/launcher-brand" --show "$first/launcher.exe" >"$SCENARIO_DIR/show.txt" || fail "--show failed"
grep -qx "version ProductVersion: $version" "$SCENARIO_DIR/show.txt" ||
  fail "--show does not print the version $version: $(cat "$SCENARIO_DIR/show.txt")"

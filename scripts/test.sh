#!/usr/bin/env bash
# Installs what is missing, builds the Linux launcher and the Windows launcher,
# and runs every test: unit tests natively (also under the address and undefined
# behaviour sanitizers) and under Wine, end-to-end scenarios with the real JVM
# and with the stub runtime under Wine, and a short run of every fuzz target.
# Ends with CTest's summary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
source scripts/lib/wine_session.sh

ensure_packages "${REQUIRED_PACKAGES[@]}"

started=$(date +%s)
cmake --preset host >/dev/null
cmake --build --preset host
cmake --preset windows >/dev/null
cmake --build --preset windows
echo "Built both launchers in $(( $(date +%s) - started )) s."

cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
ctest --preset sanitize -j2

# The fuzz targets, run a fixed number of times each within the one CTest run below.
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

start_wine_session "$root/build/windows/wine"
trap stop_wine_session EXIT

# One CTest run over the three build trees gives one summary.
printf 'subdirs("host")\nsubdirs("windows")\nsubdirs("fuzz")\n' > build/CTestTestfile.cmake
if ctest --test-dir build --output-on-failure -j2; then exit 0; fi

# Wine on a loaded machine now and then loses a test process (it hangs at exit
# or ends before it starts). A test of the Windows build that failed runs once
# more, alone, and is named here; a failure anywhere else, or a second one, fails
# the run. CTest numbers the tests of host, windows and fuzz in that order.
count_tests() { ctest --test-dir "build/$1" -N | grep -c 'Test *#'; }
first_wine=$(( $(count_tests host) + 1 ))
last_wine=$(( first_wine + $(count_tests windows) - 1 ))
failed=build/Testing/Temporary/LastTestsFailed.log
echo
if awk -F: -v lo="$first_wine" -v hi="$last_wine" '$1 < lo || $1 > hi { found = 1 } END { exit !found }' "$failed"; then
  echo "Failed outside Wine: not run again."
  exit 1
fi
echo "Failed under Wine in the parallel run, run once more one at a time:"
sed 's/^[0-9]*:/  /' "$failed"
ctest --test-dir build --output-on-failure --rerun-failed

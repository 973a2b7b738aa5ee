#!/usr/bin/env bash
# Runs every fuzz target for SECONDS seconds each (default 60), one after the
# other, from its seed corpus and what earlier runs found (kept in
# build/fuzz/long/<target>). Installs clang if it is missing. Prints
# libFuzzer's own summary lines for each target, then a table of executions;
# fails when a target finds a fault (its input is saved beside that target's
# corpus, as crash-*, and its output in <target>.log).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/lib/packages.sh
ensure_packages "${FUZZ_PACKAGES[@]}"

seconds=${1:-60}
[[ $seconds =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2; }

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

long="$root/build/fuzz/long"
mkdir -p "$long"
summary=()
failed=0
while read -r name program seeds; do
  log="$long/$name.log"
  echo "== $name: $seconds s"
  status=0
  bash tests/fuzz/run_target.sh "$program" "$seeds" "$long/$name" \
    -max_total_time="$seconds" -print_final_stats=1 >"$log" 2>&1 || status=$?
  grep -E '^(INFO: Seed|Done [0-9]+ runs|stat::|SUMMARY)' "$log" || true
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ "$status" -ne 0 ]; then
    failed=1
    tail -n 40 "$log"
    summary+=("$(printf '%-20s %14s  FAILED (see %s)' "$name" "${executions:-?}" "$log")")
  else
    summary+=("$(printf '%-20s %14s  no finding' "$name" "$executions")")
  fi
done <"$root/build/fuzz/fuzz_targets.txt"

echo
printf '%-20s %14s\n' target executions
printf '%s\n' "${summary[@]}"
exit "$failed"

#!/usr/bin/env bash
# run_target.sh [--fresh] PROGRAM SEEDS WORK [libFuzzer options...]
# Runs one fuzz target on its seed corpus (SEEDS: folders separated by colons). New inputs and any crash file go to
# WORK (emptied first with --fresh), never into the seeds of the repository. An input that takes more than 10 s
# or makes the process use more than 1 GB is a finding (a parser that multiplies what it reads), unless the
# options given say otherwise.
set -euo pipefail
fresh=0
if [ "$1" = --fresh ]; then fresh=1; shift; fi
program=$1 seeds=$2 work=$3
shift 3
[ "$fresh" = 0 ] || rm -rf "$work"
mkdir -p "$work"
IFS=: read -ra seed_folders <<<"$seeds"
exec "$program" -timeout=10 -rss_limit_mb=1024 "$@" -artifact_prefix="$work/" "$work" "${seed_folders[@]}"

#!/usr/bin/env bash
# Runs every benchmark binary and every comparison script under bench/.
set -euo pipefail
build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
for exe in "$root/$build"/bench/*/bench_*; do
  [[ -x "$exe" ]] || continue
  echo "== $(basename "$exe")"
  "$exe" --benchmark_min_time=0.2
done
for script in "$root"/bench/*/compare*.sh; do
  [[ -f "$script" ]] || continue
  echo "== $(basename "$(dirname "$script")")/$(basename "$script")"
  bash "$script" "$root/$build"
done

#!/usr/bin/env bash
# Base64 of the same 100 MB of random bytes: the system's base64 command
# beside our encoder (bench_encoders), unbroken and in 76-column lines.
set -euo pipefail
build=${1:?build directory}
data=$(mktemp)
trap 'rm -f "$data"' EXIT
head -c $((100 * 1024 * 1024)) /dev/urandom > "$data"
cat "$data" > /dev/null   # warm the page cache
for w in 0 76; do
  start=$(date +%s.%N)
  base64 -w "$w" "$data" > /dev/null
  end=$(date +%s.%N)
  printf 'system base64 -w %-2s  %7.1f ms\n' "$w" "$(echo "($end - $start) * 1000" | bc -l)"
done
"$build"/bench/engine/bench_encoders --benchmark_filter='Base64' --benchmark_min_time=0.5

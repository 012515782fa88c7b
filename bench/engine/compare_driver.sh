#!/usr/bin/env bash
# convert-driver on 32 MB read from a file and from a pipe, beside cat, the
# floor for moving the bytes: the tool's own reading and writing should not
# show beside the engine's work.
set -euo pipefail
build=${1:?build directory}
driver="$build"/tests/engine/convert-driver
data=$(mktemp)
trap 'rm -f "$data"' EXIT
head -c $((32 * 1024 * 1024)) /dev/urandom > "$data"
cat "$data" > /dev/null   # warm the page cache
best() {   # fastest of five runs of a shell command, in ms
  local best=
  for _ in 1 2 3 4 5; do
    local start end t
    start=$(date +%s.%N)
    sh -c "$1" > /dev/null
    end=$(date +%s.%N)
    t=$(echo "($end - $start) * 1000" | bc -l)
    if [[ -z "$best" ]] || (( $(echo "$t < $best" | bc -l) )); then best=$t; fi
  done
  printf '%7.1f ms' "$best"
}
printf '%-32s %s\n' "cat, file to pipe" "$(best "cat '$data' | cat")"
for label in "Copy as is" "Base64 Encode"; do
  printf '%-32s %s\n' "$label, file" "$(best "'$driver' '$label' < '$data'")"
  printf '%-32s %s\n' "$label, pipe" "$(best "cat '$data' | '$driver' '$label'")"
done

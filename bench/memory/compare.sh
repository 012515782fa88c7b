#!/usr/bin/env bash
# Peak memory of one conversion through convert-driver, as a multiple of the
# input, for every label on real HTML and hostile shapes (GNU time's maximum
# resident size). MEMORY_BENCH_MB sets the sizes (default "10"; "10 100" for
# both). The goal is at most 8x everywhere.
set -euo pipefail
build=${1:-build}
driver="$build/tests/engine/convert-driver"
[[ -x $driver ]] || { echo "no $driver"; exit 0; }
[[ -x /usr/bin/time ]] || { echo "GNU time is missing (apt-get install time)"; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
labels=("Javascript" "Javascript variable" "Javascript encode" "HTML" "HTML page" "Pakkle" "Pakkle (Unicode)"
        "Plain text" "Copy as is" "Base64 Encode" "Base64 Decode" "Quoted Printable Encode"
        "Quoted Printable Decode" "Url Encode (all chars)" "Url Encode" "Url Decode" "ASCII to code")
worst=0
for mb in ${MEMORY_BENCH_MB:-10}; do
  dir=${TMPDIR:-/tmp}/varnel-memory-$mb
  [[ -f $dir/two-letters ]] || python3 "$here/shapes.py" $((mb * 1000000)) "$dir"
  shapes=("$dir"/*)
  printf '%-24s' "$mb MB"; for f in "${shapes[@]}"; do printf '%15s' "$(basename "$f")"; done; echo
  for label in "${labels[@]}"; do
    printf '%-24s' "$label"
    for f in "${shapes[@]}"; do
      kb=$( { /usr/bin/time -f %M "$driver" "$label" < "$f" > /dev/null; } 2>&1 | tail -1)
      ratio=$(awk -v kb="$kb" -v n="$(stat -c %s "$f")" 'BEGIN { printf "%.1f", kb * 1024 / n }')
      worst=$(awk -v a="$worst" -v b="$ratio" 'BEGIN { print (b > a) ? b : a }')
      printf '%15s' "${ratio}x"
    done
    echo
  done
done
echo "worst: ${worst}x (goal: at most 8x)"

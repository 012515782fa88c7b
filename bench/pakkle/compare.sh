#!/usr/bin/env bash
# "Pakkle" against gzip -6 and lz-string's compressToBase64 on the same
# 1.5 MB of real HTML. lz-string is installed into a throw-away folder, never
# into the build.
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus=$work/corpus.html
bash "$here/corpus.sh" "$corpus"

best() { sort -n | head -1; }
gzip_ms=$(for i in 1 2 3 4 5; do
  s=$(date +%s%N); gzip -6 -c "$corpus" > "$work/c.gz"; e=$(date +%s%N); echo $(( (e - s) / 1000000 ))
done | best)
echo "gzip -6: ${gzip_ms} ms, $(stat -c %s "$work/c.gz") bytes"

if command -v node > /dev/null && (cd "$work" && npm install --silent --no-audit --no-fund lz-string > /dev/null 2>&1); then
  node -e '
    const lz = require(process.argv[1] + "/node_modules/lz-string");
    const text = require("fs").readFileSync(process.argv[2], "utf8");
    let best = Infinity, out = "";
    for (let i = 0; i < 3; i++) {
      const s = process.hrtime.bigint();
      out = lz.compressToBase64(text);
      best = Math.min(best, Number(process.hrtime.bigint() - s) / 1e6);
    }
    console.log("lz-string compressToBase64: " + best.toFixed(0) + " ms, " + out.length + " bytes");
  ' "$work" "$corpus"
else
  echo "lz-string: not available (node or npm missing, or no registry)"
fi

PAKKLE_CORPUS=$corpus "$build/bench/pakkle/bench_pakkle" --benchmark_min_time=0.5

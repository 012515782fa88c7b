#!/usr/bin/env bash
# Writes 1.5 MB of real HTML (the machine's HTML documentation, in a fixed
# order) to the file given.
set -eu
out=$1
# head closes the pipe early on purpose.
{ find /usr/share/doc -type f -name '*.html' | LC_ALL=C sort | xargs cat 2>/dev/null || true; } | head -c 1572864 > "$out"
[[ $(stat -c %s "$out") -eq 1572864 ]]

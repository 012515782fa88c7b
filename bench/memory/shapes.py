#!/usr/bin/env python3
"""Writes the texts the memory comparison runs on, SIZE bytes each, into DIR:
real HTML (the machine's HTML documentation, repeated) and hostile shapes."""
import os
import random
import subprocess
import sys

size, out = int(sys.argv[1]), sys.argv[2]
os.makedirs(out, exist_ok=True)
rng = random.Random(15)


def write(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(data[:size])


def repeat(unit):
    return unit * (size // len(unit) + 1)


html = subprocess.run("find /usr/share/doc -type f -name '*.html' | LC_ALL=C sort | xargs cat",
                      shell=True, capture_output=True, check=False).stdout or b"<p>no documentation</p>\n"
write("html", repeat(html))
write("long-line", repeat(b'word <b>x</b> & "q" '))
write("cr-only", repeat(b"line of text\r"))
write("script-closers", repeat(b"</script"))
write("cjk", repeat("".join(chr(rng.randrange(0x4E00, 0x9FFF)) for _ in range(200000)).encode()))
write("random-bytes", rng.randbytes(size))
write("one-letter", b"a" * size)
write("two-letters", bytes(rng.choice(b"ab") for _ in range(size)))
# The earlier copy of every unit lies one unit beyond the window.
write("period-8281", repeat(bytes(rng.choice(b"abcdefghijklmnopqrstuvwxyz <>") for _ in range(8281))))

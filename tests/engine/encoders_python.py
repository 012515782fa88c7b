"""The engine's Base64, quoted-printable and URL conversions agree with
Python's base64, quopri and urllib.parse on random and real texts."""
import base64
import binascii
import quopri
import random
import subprocess
import sys
import urllib.parse

DRIVER = sys.argv[1]
failures = 0


def convert(label, data, stringlength=0):
    return subprocess.run([DRIVER, label, "--stringlength", str(stringlength)], input=data,
                          stdout=subprocess.PIPE, check=True).stdout


def check(what, got, want):
    global failures
    if got != want:
        failures += 1
        print(f"FAIL {what}: got {got[:120]!r}, want {want[:120]!r}", file=sys.stderr)


rng = random.Random(2045)
samples = [b"", b"f", b"fo", b"foo", b"foob", b"fooba", b"foobar",
           "Grüße, 世界! It's = 100% ~ok~\r\nline two \t\nlast ".encode(),
           b"trailing blank \nand tab\t\r\n=3D not an escape\n" + b"x" * 200]
samples += [bytes(rng.randrange(256) for _ in range(rng.randrange(1, 700))) for _ in range(40)]
text_like = [bytes(rng.choice(b"abc \t=\r\n\xe9.") for _ in range(rng.randrange(1, 400))) for _ in range(40)]

for i, data in enumerate(samples + text_like):
    what = f"sample {i}"
    check(what + " base64", convert("Base64 Encode", data), base64.b64encode(data))
    wrapped = convert("Base64 Encode", data, 76)
    check(what + " base64 lines", wrapped, base64.encodebytes(data).rstrip(b"\n").replace(b"\n", b"\r\n"))
    check(what + " base64 decode", convert("Base64 Decode", base64.encodebytes(data)), data)
    qp = convert("Quoted Printable Encode", data)
    check(what + " qp read by Python", quopri.decodestring(qp), data)
    check(what + " qp lines", max((len(l) for l in qp.replace(b"\r\n", b"\n").split(b"\n")), default=0) <= 76, True)
    # Binary mode: Python would otherwise rewrite line ends.
    check(what + " qp of Python", convert("Quoted Printable Decode", binascii.b2a_qp(data, istext=False)), data)
    check(what + " url", convert("Url Encode", data), urllib.parse.quote(data, safe="").encode())
    check(what + " url decode", convert("Url Decode", urllib.parse.quote(data, safe="").encode()), data)


for args in ([], ["Javascript", "--stringlength", "x"], ["Javascript", "--input", "NoSuchEncoding"],
             ["Javascript", "--bogus", "1"], ["Javascript", "--dest"]):
    r = subprocess.run([DRIVER] + args, input=b"abc", stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    check(f"driver {args}", (r.returncode, r.stdout, r.stderr.count(b"\n")), (2, b"", 1))
check("driver save", subprocess.run([DRIVER, "Copy as is", "--save", "WindowsLatin1"], input="é".encode(),
                                    stdout=subprocess.PIPE).stdout, b"\xe9")
# Input longer than the driver's read block, with every byte value, comes
# back whole.
big = rng.randbytes(3 << 20)
check("driver large input", convert("Copy as is", big), big)
check("driver large base64", convert("Base64 Encode", big), base64.b64encode(big))

if failures:
    print(f"{failures} failure(s)", file=sys.stderr)
    sys.exit(1)
print("encoders agree with Python")

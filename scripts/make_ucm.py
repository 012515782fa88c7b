#!/usr/bin/env python3
"""Writes fw/core/tables/*.ucm, the ICU mapping tables of the encodings that
ICU lacks or gets wrong for HTML and script text. Run once by hand after a
change; the build only compiles the committed files with makeconv.

Sources: Python's codecs, Perl's Encode (through `perl`), ICU's own
ibm-851 (through `uconv`) and the Apple tables in /work/shared/data/encodings
(or the folder given as the first argument).

Each table is a list of (bytes, code points). Where several byte sequences
decode to the same text, the one the source itself encodes to is the round
trip (|0) and the others decode only (|3).
"""
import os
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "fw", "core", "tables")
APPLE = sys.argv[1] if len(sys.argv) > 1 else "/work/shared/data/encodings"


# ---------------------------------------------------------------- sources

def python_table(codec):
    """Every byte and every two-byte sequence starting with a byte that does
    not decode alone."""
    maps = []
    leads = []
    for b in range(256):
        try:
            u = bytes([b]).decode(codec)
        except UnicodeDecodeError:
            leads.append(b)
            continue
        maps.append((bytes([b]), u))
    for lead in leads:
        for t in range(256):
            seq = bytes([lead, t])
            try:
                u = seq.decode(codec)
            except UnicodeDecodeError:
                continue
            maps.append((seq, u))

    def encodes_to(text, seq):
        try:
            return text.encode(codec) == seq
        except UnicodeEncodeError:
            return False

    return [(seq, u, encodes_to(u, seq)) for seq, u in maps]


PERL_DUMP = r'''
use strict; use Encode;
my $e = shift;
sub try_decode { my $b = shift; my $u = eval { decode($e, $b, Encode::FB_CROAK | Encode::LEAVE_SRC) }; return $u; }
sub emit {
    my ($b, $u) = @_;
    my $back = eval { encode($e, $u, Encode::FB_CROAK | Encode::LEAVE_SRC) };
    my $rt = (defined $back && $back eq $b) ? 1 : 0;
    print unpack("H*", $b), "\t", join(" ", map { sprintf("%04X", ord($_)) } split(//, $u)), "\t$rt\n";
}
my @leads;
for my $b (0..255) {
    my $u = try_decode(chr($b));
    if (defined $u && length $u) { emit(chr($b), $u); } else { push @leads, $b; }
}
for my $l (@leads) {
    for my $t (0..255) {
        my $s = chr($l) . chr($t);
        my $u = try_decode($s);
        emit($s, $u) if defined $u && length $u;
    }
}
'''


def perl_table(name):
    out = subprocess.run(["perl", "-e", PERL_DUMP, name], check=True, capture_output=True, text=True).stdout
    maps = []
    for line in out.splitlines():
        hexbytes, cps, rt = line.split("\t")
        maps.append((bytes.fromhex(hexbytes), "".join(chr(int(c, 16)) for c in cps.split()), rt == "1"))
    return maps


def icu_table(name):
    maps = []
    for b in range(256):
        r = subprocess.run(["uconv", "-f", name, "-t", "UTF-32BE", "--callback", "stop"],
                           input=bytes([b]), capture_output=True)
        if r.returncode == 0 and r.stdout:
            cps = [int.from_bytes(r.stdout[i:i + 4], "big") for i in range(0, len(r.stdout), 4)]
            maps.append((bytes([b]), "".join(map(chr, cps)), True))
    return maps


def apple_table(name):
    """Apple's data: ASCII below 0x80, one line per byte, pairs in comments."""
    maps = [(bytes([b]), chr(b), True) for b in range(0x80)]
    lead_pairs = []
    for line in open(os.path.join(APPLE, name + ".txt"), encoding="utf-8"):
        line = line.strip()
        if line.startswith("# pair "):
            spec = line[len("# pair "):]
            if "followed by" in spec:
                # A lead byte whose two-byte codes are valid but unmapped.
                lead = int(spec.split()[0], 16)
                lo, hi = (int(x, 16) for x in spec.split("followed by")[1].split()[0].rstrip(":").split("-"))
                lead_pairs.append((lead, lo, hi))
                continue
            left, right = spec.split("=", 1)
            seq = bytes(int(x, 16) for x in left.split("+"))
            cps = right.split("(")[0].strip()
            maps.append((seq, "".join(chr(int(x, 16)) for x in cps.split("+")), True))
        elif line and not line.startswith("#"):
            b, cp = line.split()[:2]
            maps.append((bytes([int(b, 16)]), "".join(chr(int(x, 16)) for x in cp.split("+")), True))
    return maps, lead_pairs


# ---------------------------------------------------------------- fixes

def unswap(maps):
    """ICU's IBM PC tables swap 0x1A, 0x1C and 0x7F; every other source keeps them."""
    fixed = [(s, u, rt) for s, u, rt in maps if s not in (b"\x1a", b"\x1c", b"\x7f")]
    return fixed + [(bytes([b]), chr(b), True) for b in (0x1A, 0x1C, 0x7F)]


def ascii_half(maps):
    """Bytes 0x00-0x7F are ASCII, so markup and script text survive; other
    byte sequences that decode to ASCII (right-to-left duplicates, MacJapanese's
    0x80 backslash) decode only, and a code point that lost its byte to ASCII
    is left out."""
    ascii_bytes = {bytes([b]) for b in range(0x80)}
    fixed = [(bytes([b]), chr(b), True) for b in range(0x80)]
    for s, u, rt in maps:
        if s in ascii_bytes:
            continue
        if len(u) == 1 and ord(u) < 0x80:
            rt = False
        fixed.append((s, u, rt))
    return fixed


def choose_round_trips(maps):
    """Exactly one round trip per text: the source's own choice, else the
    first sequence."""
    by_text = {}
    for s, u, rt in maps:
        by_text.setdefault(u, []).append((s, rt))
    chosen = {}
    for u, seqs in by_text.items():
        rts = [s for s, rt in seqs if rt]
        if rts:
            chosen[u] = rts[0]
        elif len(u) == 1 and ord(u) < 0x80:
            chosen[u] = None  # ascii_half gave ASCII to the ASCII byte
        else:
            # Perl cannot encode its multi-code-point mappings; ICU can.
            chosen[u] = seqs[0][0]
    return [(s, u, chosen[u] == s) for s, u, _ in maps]


# ---------------------------------------------------------------- output

def ranges(values):
    values = sorted(values)
    out = []
    for v in values:
        if out and out[-1][1] == v - 1:
            out[-1][1] = v
        else:
            out.append([v, v])
    return out


def fmt_ranges(rs, suffix=""):
    return ", ".join(("%x" % a if a == b else "%x-%x" % (a, b)) + suffix for a, b in rs)


def write_ucm(name, maps, extra=(), lead_pairs=()):
    maps = choose_round_trips(maps)
    # Leads: first bytes of two-byte codes that do not decode alone.
    singles = {s[0] for s, _, _ in maps if len(s) == 1}
    leads = {s[0] for s, _, _ in maps if len(s) == 2 and s[0] not in singles}
    leads |= {lead for lead, _, _ in lead_pairs}
    trails = {s[1] for s, _, _ in maps if len(s) == 2 and s[0] in leads}
    for _, lo, hi in lead_pairs:
        trails |= set(range(lo, hi + 1))
    multi = any(len(s) > 1 for s, _, _ in maps)
    lines = [
        "# Generated by scripts/make_ucm.py; edit the script, not this file.",
        '<code_set_name>               "%s"' % name,
        '<char_name_mask>              "AXXXX"',
        "<mb_cur_max>                  %d" % (2 if multi else 1),
        "<mb_cur_min>                  1",
        '<uconv_class>                 "%s"' % ("MBCS" if multi else "SBCS"),
        "<subchar>                     \\x3F",
    ]
    if multi:
        spans = []
        for v in range(256):
            kind = 1 if v in leads else 0
            if spans and spans[-1][2] == kind and spans[-1][1] == v - 1:
                spans[-1][1] = v
            else:
                spans.append([v, v, kind])
        state0 = ", ".join(("%x" % a if a == b else "%x-%x" % (a, b)) + (":1" if k else "") for a, b, k in spans)
        lines.append("<icu:state>                   " + state0)
        if leads:
            lines.append("<icu:state>                   " + fmt_ranges(ranges(trails)))
    lines += ["", "CHARMAP"]
    rows = []
    for s, u, rt in maps:
        rows.append((s, "".join("<U%04X>" % ord(c) for c in u), "".join("\\x%02X" % b for b in s), 0 if rt else 3))
    for u, s, prec in extra:
        rows.append((s, "".join("<U%04X>" % ord(c) for c in u), "".join("\\x%02X" % b for b in s), prec))
    rows.sort(key=lambda r: (r[1], r[3], r[0]))
    lines += ["%s %s |%d" % (uni, byt, prec) for _, uni, byt, prec in rows]
    lines += ["END CHARMAP", ""]
    with open(os.path.join(OUT, name + ".ucm"), "w", encoding="ascii") as f:
        f.write("\n".join(lines))


def main():
    os.makedirs(OUT, exist_ok=True)
    dos = {
        "DOSBalticRim": "cp775", "DOSCanadianFrench": "cp863", "DOSCyrillic": "cp855",
        "DOSGreek": "cp737", "DOSGreek2": "cp869", "DOSHebrew": "cp862", "DOSIcelandic": "cp861",
        "DOSLatin1": "cp850", "DOSLatin2": "cp852", "DOSLatinUS": "cp437", "DOSNordic": "cp865",
        "DOSPortuguese": "cp860", "DOSRussian": "cp866", "DOSTurkish": "cp857",
    }
    for name, codec in dos.items():
        write_ucm(name, python_table(codec))
    # cp864 has 0x25 as the Arabic percent sign; "%" still has to get through.
    write_ucm("DOSArabic", python_table("cp864"), extra=[("%", b"%", 1)])
    write_ucm("DOSGreek1", unswap(icu_table("ibm-851_P100-1995")))
    write_ucm("DOSJapanese", python_table("cp932"))
    write_ucm("ShiftJIS", python_table("shift_jis"))
    write_ucm("WindowsKoreanJohab", python_table("johab"))

    write_ucm("MacArabic", ascii_half(python_table("mac_arabic")))
    write_ucm("MacCroatian", ascii_half(python_table("mac_croatian")))
    write_ucm("MacRomanian", ascii_half(python_table("mac_romanian")))
    write_ucm("MacIcelandic", ascii_half(python_table("mac_iceland")))
    for name in ("MacHebrew", "MacThai", "MacJapanese", "MacKorean", "MacChineseSimp", "MacChineseTrad"):
        write_ucm(name, ascii_half(perl_table(name)))
    # Symbol and Dingbats are fonts, not scripts: their lower half is not ASCII.
    for name in ("MacSymbol", "MacDingbats"):
        maps = perl_table(name)
        have = {s for s, _, _ in maps}
        maps += [(bytes([b]), chr(b), True) for b in list(range(0x20)) + [0x7F] if bytes([b]) not in have]
        write_ucm(name, maps)
    for name in ("MacCeltic", "MacGaelic", "MacDevanagari", "MacGujarati", "MacGurmukhi"):
        maps, lead_pairs = apple_table(name)
        write_ucm(name, maps, lead_pairs=lead_pairs)

    # Mac OS Roman permuted to Latin-1 order: 0xA0-0xFF are ISO Latin-1;
    # 0x80-0x9F have no published mapping.
    write_ucm("MacRomanLatin1", [(bytes([b]), chr(b), True) for b in list(range(0x80)) + list(range(0xA0, 0x100))])


if __name__ == "__main__":
    main()

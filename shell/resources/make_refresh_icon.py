#!/usr/bin/env python3
"""Draws the reload icon (picture resource 168) as an RGBA PNG.

A dark-blue arc of about 300 degrees with an arrowhead at its clockwise end,
antialiased by 8x8 supersampling. Standard library only, so it runs anywhere:
    python3 make_refresh_icon.py 20 refresh.png
"""
import math
import struct
import sys
import zlib


def inside(x, y, size):
    c = size / 2.0
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy)
    outer, inner = size * 0.40, size * 0.25
    # Angle measured clockwise from twelve o'clock, 0..360.
    ang = (math.degrees(math.atan2(dx, -dy)) + 360.0) % 360.0
    if inner <= r <= outer and 40.0 <= ang <= 330.0:
        return True
    # Arrowhead at the start of the arc (angle 40), pointing clockwise.
    a0 = math.radians(40.0)
    mid = (outer + inner) / 2.0
    bx, by = c + mid * math.sin(a0), c - mid * math.cos(a0)
    tx, ty = math.cos(a0), math.sin(a0)          # clockwise tangent
    nx, ny = math.sin(a0), -math.cos(a0)         # outward normal
    half = size * 0.22
    # The head sits on the arc's start and points along the tangent, so the
    # arrow reads as "go round again".
    tip = (bx + tx * size * 0.22, by + ty * size * 0.22)
    p1 = (bx + nx * half - tx * size * 0.02, by + ny * half - ty * size * 0.02)
    p2 = (bx - nx * half - tx * size * 0.02, by - ny * half - ty * size * 0.02)
    return point_in_triangle((x, y), tip, p1, p2)


def point_in_triangle(p, a, b, c):
    def sign(p1, p2, p3):
        return (p1[0] - p3[0]) * (p2[1] - p3[1]) - (p2[0] - p3[0]) * (p1[1] - p3[1])
    d1, d2, d3 = sign(p, a, b), sign(p, b, c), sign(p, c, a)
    neg = d1 < 0 or d2 < 0 or d3 < 0
    pos = d1 > 0 or d2 > 0 or d3 > 0
    return not (neg and pos)


def render(size, ss=8):
    colour = (0x1F, 0x4E, 0x9A)
    rows = []
    for y in range(size):
        row = bytearray([0])  # PNG filter type: none
        for x in range(size):
            hits = 0
            for sy in range(ss):
                for sx in range(ss):
                    if inside(x + (sx + 0.5) / ss, y + (sy + 0.5) / ss, size):
                        hits += 1
            alpha = round(255 * hits / (ss * ss))
            row += bytes(colour) + bytes([alpha])
        rows.append(bytes(row))
    return b"".join(rows)


def png(size, raw):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    size = int(sys.argv[1]) if len(sys.argv) > 1 else 20
    out = sys.argv[2] if len(sys.argv) > 2 else "refresh.png"
    with open(out, "wb") as f:
        f.write(png(size, render(size)))

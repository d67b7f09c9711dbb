#!/usr/bin/env python3
"""Writes resources/images/mask.png: 140 x 140, opaque black outside the inscribed circle and
transparent inside it. The rim is anti-aliased by sampling each pixel on a 16 x 16 grid.

    python3 scripts/generate-mask.py [OUTPUT]
"""
import os
import struct
import sys
import zlib

SIZE = 140
GRID = 16


def outside_coverage(x, y):
    """Share of pixel (x, y) that lies outside the circle."""
    centre = radius = SIZE / 2
    outside = 0
    for i in range(GRID):
        for j in range(GRID):
            dx = x + (i + 0.5) / GRID - centre
            dy = y + (j + 0.5) / GRID - centre
            if dx * dx + dy * dy > radius * radius:
                outside += 1
    return outside / (GRID * GRID)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(__file__), "..", "resources", "images", "mask.png")
    rows = bytearray()
    for y in range(SIZE):
        rows.append(0)  # filter: none
        for x in range(SIZE):
            rows += bytes((0, 0, 0, round(255 * outside_coverage(x, y))))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
           + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))
    with open(out, "wb") as f:
        f.write(png)


if __name__ == "__main__":
    main()

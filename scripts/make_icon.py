#!/usr/bin/env python3
"""Draws the program icon (a magnifier over lines of text on a blue tile, the
emblem of the About box) at every size the system asks for and writes it as
one .ico file:  make_icon.py <output.ico>

The shapes are measured as distances from each pixel's centre, which gives
smooth edges without drawing at a larger size. Sizes up to 64 are stored as
32-bit bitmaps with their mask (every Windows version reads them), 256 as PNG.
"""
import math
import struct
import sys
import zlib

SIZES = [16, 20, 24, 32, 40, 48, 64, 256]

TILE = (43, 108, 181)
WHITE = (255, 255, 255)
BARS = (247, 198, 68)


def rounded_box(px, py, left, top, right, bottom, radius):
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    dx, dy = abs(px - cx) - hx, abs(py - cy) - hy
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    return outside + min(max(dx, dy), 0.0) - radius


def circle(px, py, cx, cy, r):
    return math.hypot(px - cx, py - cy) - r


def capsule(px, py, x1, y1, x2, y2, r):
    vx, vy = x2 - x1, y2 - y1
    t = max(0.0, min(1.0, ((px - x1) * vx + (py - y1) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - (x1 + t * vx), py - (y1 + t * vy)) - r


def shapes(s):
    """The emblem in a square of side s, as (distance function, colour) in painting order."""
    small = s <= 24
    # Small icons get a thicker ring and two bars, which stay readable at 16 pixels.
    inner = 0.19 if small else 0.21
    bar_count = 2 if small else 3
    bar_half = 0.5 if small else max(0.5, s * 0.022)
    bar_step = 0.085
    out = [
        (lambda x, y: rounded_box(x, y, 0.02 * s, 0.02 * s, 0.98 * s, 0.98 * s, 0.17 * s), TILE),
        (lambda x, y: capsule(x, y, 0.55 * s, 0.55 * s, 0.83 * s, 0.83 * s, max(0.75, 0.055 * s)), WHITE),
        (lambda x, y: circle(x, y, 0.40 * s, 0.40 * s, 0.29 * s), WHITE),
        (lambda x, y: circle(x, y, 0.40 * s, 0.40 * s, inner * s), TILE),
    ]
    first = -(bar_count - 1) / 2
    left, right = 0.29 * s, 0.51 * s
    if small:
        # One pixel high, one pixel apart, on whole pixels: anything finer blurs into a blob.
        left, right = round(left), round(right)
    for i in range(bar_count):
        cy = (0.40 + (first + i) * bar_step) * s
        if small:
            cy = math.floor(0.40 * s) + 0.5 + (first + i) * 2
        out.append((lambda x, y, cy=cy: rounded_box(x, y, left, cy - bar_half, right, cy + bar_half, 0.0), BARS))
    return out


def render(s):
    """Rows of straight (not premultiplied) RGBA pixels, top row first."""
    layers = shapes(s)
    rows = []
    for y in range(s):
        row = []
        for x in range(s):
            px, py = x + 0.5, y + 0.5
            r = g = b = a = 0.0  # premultiplied while painting
            for distance, colour in layers:
                cover = min(1.0, max(0.0, 0.5 - distance(px, py)))
                if cover <= 0.0:
                    continue
                r = colour[0] * cover + r * (1 - cover)
                g = colour[1] * cover + g * (1 - cover)
                b = colour[2] * cover + b * (1 - cover)
                a = 255 * cover + a * (1 - cover)
            if a > 0:
                row.append((round(r * 255 / a), round(g * 255 / a), round(b * 255 / a), round(a)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def png(rows):
    s = len(rows)
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", s, s, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bitmap(rows):
    s = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, s, 2 * s, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(rows) for p in row)
    mask_stride = ((s + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + colour + bytes(mask)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py <output.ico>")
    images = [(s, png(render(s)) if s >= 256 else bitmap(render(s))) for s in SIZES]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in images:
        side = 0 if s >= 256 else s
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()

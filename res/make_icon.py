#!/usr/bin/env python3
"""Draws the program's icon and writes res/app.ico.

The picture: a blue tile with a white arrow pointing up (starting up) and a
red badge with a white bar (taken away). Each size is drawn from the shapes
below at 4 x 4 samples per pixel, so small sizes stay smooth, and is stored as
a PNG image inside the .ico (which keeps the file, and the program, small).

    python3 res/make_icon.py        # rewrites res/app.ico beside this script
"""
import math
import os
import struct
import zlib

SIZES = (16, 20, 32, 48)
SAMPLES = 4


def rounded_box(x, y, left, top, right, bottom, radius):
    """Signed distance to a rounded rectangle (negative inside)."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    hx, hy = (right - left) / 2 - radius, (bottom - top) / 2 - radius
    dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(dx, 0), max(dy, 0))
    return outside + min(max(dx, dy), 0) - radius


def in_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    s1, s2, s3 = side(a, b), side(b, c), side(c, a)
    return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def sample(x, y, pixel):
    """Colour (r, g, b, a) at a point of the unit square; `pixel` is one pixel's width."""
    color, alpha = (0, 0, 0), 0.0

    def paint(c, a=1.0):
        nonlocal color, alpha
        color = mix(color, c, a) if alpha else c
        alpha = max(alpha, a)

    # The tile, shaded from light to deep blue, with a darker edge.
    edge = max(pixel, 0.05)
    d = rounded_box(x, y, 0.04, 0.04, 0.96, 0.96, 0.2)
    if d <= 0:
        paint((28, 66, 128))
        if d <= -edge:
            paint(mix((125, 178, 236), (36, 96, 182), y))
    # The arrow: a shaft and a head pointing up.
    if abs(x - 0.44) <= 0.085 and 0.36 <= y <= 0.8:
        paint((255, 255, 255))
    if in_triangle(x, y, (0.44, 0.12), (0.19, 0.42), (0.69, 0.42)):
        paint((255, 255, 255))
    # The badge: a red disc with a white edge and a white bar.
    r = math.hypot(x - 0.71, y - 0.71)
    if r <= 0.27:
        paint((255, 255, 255))
    if r <= 0.27 - max(pixel, 0.05):
        paint(mix((240, 70, 60), (180, 20, 20), (y - 0.44) / 0.54))
        if abs(y - 0.71) <= max(0.045, pixel * 0.6) and abs(x - 0.71) <= 0.14:
            paint((255, 255, 255))
    return color, alpha


def render(size):
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    (r, g, b), a = sample(x, y, 1.0 / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            a = acc[3] / n
            if a > 0:
                row += bytes(round(acc[i] / acc[3]) for i in range(3)) + bytes([round(a * 255)])
            else:
                row += b"\0\0\0\0"
        rows.append(bytes(row))
    return rows


def png(size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = b"".join(b"\0" + row for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, image in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset + len(data))
        data += image
    return out + data


def main():
    images = [(size, png(size, render(size))) for size in SIZES]
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "app.ico")
    with open(path, "wb") as f:
        f.write(ico(images))
    print(f"{path}: {', '.join(f'{s}x{s} ({len(i)} bytes)' for s, i in images)}")


if __name__ == "__main__":
    main()

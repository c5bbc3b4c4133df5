#!/usr/bin/env python3
"""Draws the program's three 32x32 icons and writes them as .ico files.

  telephone.ico       a yellow desk telephone (also the program's icon)
  telephone-red.ico   the same telephone in red (a toll call)
  no-number.ico       a red circle with a diagonal bar (no number)

Usage: make-icons.py OUTPUT_FOLDER
"""
import math
import os
import struct
import sys

SIZE = 32


def blank():
    return [[None] * SIZE for _ in range(SIZE)]


def inside_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def telephone(body, shade, light):
    """A desk telephone seen from the front: handset on top, dial in the body."""
    img = blank()
    outline = (40, 30, 10)
    for y in range(SIZE):
        for x in range(SIZE):
            px, py = x + 0.5, y + 0.5
            # Body: a trapezoid widening towards the bottom, with a flat base.
            if 14 <= py <= 29:
                t = (py - 14) / 15.0
                half = 9 + 5 * t
                if abs(px - 16) <= half:
                    img[y][x] = shade if abs(px - 16) > half - 1.5 or py > 27.5 else body
            # Handset: a bar across the top with two ear pieces.
            if 6 <= py <= 10 and 5 <= px <= 27:
                img[y][x] = body
            if inside_ellipse(px, py, 6.5, 10.5, 4.0, 3.5) or inside_ellipse(px, py, 25.5, 10.5, 4.0, 3.5):
                img[y][x] = body
            if 5.5 <= py <= 6.5 and 7 <= px <= 25:
                img[y][x] = light
            # The rotary dial: a light ring with a dark centre.
            d = math.hypot(px - 16, py - 21)
            if d <= 5.5:
                img[y][x] = light if d > 2.2 else shade
            if 3.6 <= d <= 4.4:
                for k in range(10):
                    a = 2 * math.pi * k / 10 - 0.6
                    if math.hypot(px - (16 + 4 * math.cos(a)), py - (21 + 4 * math.sin(a))) < 0.9:
                        img[y][x] = shade
    # A dark outline around everything drawn.
    out = [row[:] for row in img]
    for y in range(SIZE):
        for x in range(SIZE):
            if img[y][x] is None:
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < SIZE and 0 <= ny < SIZE and img[ny][nx] is not None:
                        out[y][x] = outline
                        break
    return out


def no_sign():
    img = blank()
    red = (220, 20, 20)
    for y in range(SIZE):
        for x in range(SIZE):
            px, py = x + 0.5, y + 0.5
            d = math.hypot(px - 16, py - 16)
            if 11 <= d <= 15:
                img[y][x] = red
            # The bar from top left to bottom right, inside the ring.
            if d < 12 and abs((px - 16) - (py - 16)) / math.sqrt(2) <= 2.2:
                img[y][x] = red
    return img


def write_ico(path, img):
    # 32-bit BGRA rows bottom up, then a 1-bit AND mask (1 = transparent).
    xor = bytearray()
    for y in range(SIZE - 1, -1, -1):
        for x in range(SIZE):
            c = img[y][x]
            xor += bytes((0, 0, 0, 0)) if c is None else bytes((c[2], c[1], c[0], 255))
    mask = bytearray()
    for y in range(SIZE - 1, -1, -1):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if img[y][x] is None else 0)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    with open(path, "wb") as f:
        f.write(directory + image)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, "telephone.ico"), telephone((250, 210, 30), (170, 130, 10), (255, 245, 170)))
    write_ico(os.path.join(out, "telephone-red.ico"), telephone((215, 35, 30), (140, 15, 15), (255, 170, 160)))
    write_ico(os.path.join(out, "no-number.ico"), no_sign())


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the program's three icons and writes them as .ico files, each with
pictures of 16 to 64 pixels: the list and the boxes take the one for their
scaling (16 and 32 pixels at 100 %, 20 and 40 at 125 %, 24 and 48 at 150 %,
32 and 64 at 200 %).  The drawings are made on a grid of 32 units.

  telephone.ico       a yellow desk telephone (also the program's icon)
  telephone-red.ico   the same telephone in red (a toll call)
  no-number.ico       a red circle with a diagonal bar (no number)

Usage: make-icons.py OUTPUT_FOLDER
"""
import math
import os
import struct
import sys

SIZE = 32  # the drawing's units
SIZES = (16, 20, 24, 32, 40, 48, 64)


def blank(n):
    return [[None] * n for _ in range(n)]


def centre(x, n):
    """The middle of pixel x of an n-pixel picture, in drawing units."""
    return (x + 0.5) * SIZE / n


def inside_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def telephone(n, body, shade, light):
    """A desk telephone seen from the front: handset on top, dial in the body."""
    img = blank(n)
    outline = (40, 30, 10)
    for y in range(n):
        for x in range(n):
            px, py = centre(x, n), centre(y, n)
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
    for y in range(n):
        for x in range(n):
            if img[y][x] is None:
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < n and 0 <= ny < n and img[ny][nx] is not None:
                        out[y][x] = outline
                        break
    return out


def no_sign(n):
    img = blank(n)
    red = (220, 20, 20)
    for y in range(n):
        for x in range(n):
            px, py = centre(x, n), centre(y, n)
            d = math.hypot(px - 16, py - 16)
            if 11 <= d <= 15:
                img[y][x] = red
            # The bar from top left to bottom right, inside the ring.
            if d < 12 and abs((px - 16) - (py - 16)) / math.sqrt(2) <= 2.2:
                img[y][x] = red
    return img


def ico_image(img):
    """One picture as an icon resource: a BITMAPINFOHEADER, 32-bit BGRA rows
    bottom up, then a 1-bit AND mask (1 = transparent), rows padded to 32 bits."""
    n = len(img)
    xor = bytearray()
    for y in range(n - 1, -1, -1):
        for x in range(n):
            c = img[y][x]
            xor += bytes((0, 0, 0, 0)) if c is None else bytes((c[2], c[1], c[0], 255))
    stride = (n + 31) // 32 * 4
    mask = bytearray()
    for y in range(n - 1, -1, -1):
        bits = 0
        for x in range(n):
            bits = (bits << 1) | (1 if img[y][x] is None else 0)
        mask += (bits << (stride * 8 - n)).to_bytes(stride, "big")
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def write_ico(path, draw):
    """An .ico file with a picture of every size in SIZES, drawn by draw(n)."""
    images = [ico_image(draw(n)) for n in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for n, image in zip(SIZES, images):
        directory += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as f:
        f.write(directory + b"".join(images))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    write_ico(os.path.join(out, "telephone.ico"), lambda n: telephone(n, (250, 210, 30), (170, 130, 10), (255, 245, 170)))
    write_ico(os.path.join(out, "telephone-red.ico"), lambda n: telephone(n, (215, 35, 30), (140, 15, 15), (255, 170, 160)))
    write_ico(os.path.join(out, "no-number.ico"), no_sign)


if __name__ == "__main__":
    main()

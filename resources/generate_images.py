#!/usr/bin/env python3
"""Draws the program's icon and bitmaps and writes them beside this script.

Run it again after changing a drawing; the build uses the written files.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def icon_pixels(size):
    """A cutter over a work piece: grey spindle, blue end mill, brown block."""
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            u, v = (x + 0.5) / size, (y + 0.5) / size
            pixel = (0, 0, 0, 0)
            if 0.08 <= u <= 0.92 and 0.74 <= v <= 0.94:
                pixel = (150, 95, 45, 255)          # work piece
            if 0.30 <= u <= 0.70 and 0.04 <= v <= 0.28:
                pixel = (170, 170, 180, 255)        # spindle
            if 0.40 <= u <= 0.60 and 0.28 <= v <= 0.76:
                flute = math.sin((v * 3.0 + u) * math.pi * 2.0) > 0.0
                pixel = (40, 90, 200, 255) if flute else (90, 150, 240, 255)
            if pixel[3] and (u < 0.10 or u > 0.90):
                pixel = tuple(int(c * 0.8) for c in pixel[:3]) + (255,)
            row.append(pixel)
        rows.append(row)
    return rows


def ico_image(size):
    pixels = icon_pixels(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def write_icon(path, sizes):
    images = [ico_image(s) for s in sizes]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    write_icon(os.path.join(HERE, 'KELDSetup.ico'), [32, 16])

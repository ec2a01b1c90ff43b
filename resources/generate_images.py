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


def write_bmp(path, width, height, bits, palette, pixel_at):
    """Bottom-up BITMAPINFOHEADER bitmap of 4 or 8 bits with its colour table."""
    stride = ((width * bits + 31) // 32) * 4
    rows = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            index = pixel_at(x, y)
            if bits == 8:
                row[x] = index
            else:
                row[x // 2] |= index << (4 if x % 2 == 0 else 0)
        rows += row
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(rows), 2835, 2835,
                       len(palette), 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(rows), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(header + info + table + bytes(rows))


# The sixteen colours of the classic system palette.
NAVY = (0, 0, 128)
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), NAVY, (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
         (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, GREEN, OLIVE, NAVY_I, SILVER, GREY, RED, YELLOW, WHITE = 0, 1, 2, 3, 4, 7, 8, 9, 11, 15

# "ON" in a small pixel font.
LETTER_O = ['111', '101', '101', '101', '111']
LETTER_N = ['1001', '1101', '1011', '1001', '1001']


def dip_switch_cells():
    """Two 14 x 26 cells on red: the left one OFF (lever low), the right one ON."""
    def pixel(x, y):
        cell, cx = divmod(x, 14)
        on = cell == 1
        for letter, left in ((LETTER_O, 2), (LETTER_N, 7)):
            if 1 <= y <= 5 and left <= cx < left + len(letter[0]) and letter[y - 1][cx - left] == '1':
                return WHITE
        if 4 <= cx <= 9 and 10 <= y <= 23:
            lever_top = 10 if on else 17
            if lever_top <= y < lever_top + 7:
                inside = 5 <= cx <= 8 and lever_top + 1 <= y <= lever_top + 5
                return BLACK if inside else WHITE
            return GREY
        return RED
    return pixel


def interface_card():
    """Green card from the side, gold edge connector, red DIP block set for
    800 (first lever down, the others up) and three white lines to the right
    edge; navy around it, the colour that is drawn transparent."""
    def pixel(x, y):
        if 39 <= x <= 62 and 14 <= y <= 27:             # switch block
            for i in range(4):
                left = 41 + i * 5
                if left <= x <= left + 2:
                    down = i == 0
                    top = 21 if down else 16
                    if top <= y <= top + 4:
                        return WHITE
            return RED
        if y in (17, 21, 25) and 63 <= x <= 124:         # lines towards the switch picture
            return WHITE
        if 2 <= x <= 104 and 4 <= y <= 41:                # card body
            if (x - 2) % 9 in (0, 1) and 30 <= y <= 33:   # small parts
                return BLACK
            return GREEN
        if 10 <= x <= 96 and 42 <= y <= 49:               # edge connector fingers
            return YELLOW if (x - 10) % 4 != 3 else OLIVE
        return NAVY_I
    return pixel


def machine_palette():
    """A 6 x 6 x 6 colour cube followed by 40 greys: 256 entries."""
    levels = [0, 51, 102, 153, 204, 255]
    cube = [(r, g, b) for r in levels for g in levels for b in levels]
    greys = [(round(i * 255 / 39),) * 3 for i in range(40)]
    return cube + greys


def machine_picture():
    """A small vertical milling machine on a bench, lit from the left."""
    palette = machine_palette()

    def nearest(r, g, b):
        if abs(r - g) < 12 and abs(g - b) < 12:
            return 216 + min(39, max(0, round((r + g + b) / 3 * 39 / 255)))
        q = lambda v: min(5, max(0, round(v / 51)))
        return q(r) * 36 + q(g) * 6 + q(b)

    def shade(colour, light):
        return tuple(min(255, max(0, int(c * light))) for c in colour)

    def rgb(x, y):
        wall = (215 - y // 3,) * 3
        light = 1.15 - 0.5 * (x / 229)
        if y >= 170:                                          # bench
            return shade((120, 80, 45), 1.1 - (y - 170) / 60)
        if 40 <= x <= 190 and 150 <= y < 170:                 # base
            return shade((70, 90, 120), light)
        if 50 <= x <= 180 and 128 <= y < 150:                 # table with T-slots
            if (x - 50) % 26 in (0, 1):
                return (30, 30, 35)
            return shade((160, 165, 170), light)
        if 95 <= x <= 135 and 108 <= y < 128:                 # vise
            return shade((40, 60, 140), light)
        if 150 <= x <= 185 and 20 <= y < 150:                 # column
            return shade((75, 95, 125), light * (1.1 if x < 160 else 0.9))
        if 85 <= x <= 175 and 25 <= y < 70:                   # head
            return shade((85, 105, 135), light)
        if 110 <= x <= 128 and 70 <= y < 92:                  # spindle
            return shade((190, 190, 195), light)
        if 116 <= x <= 122 and 92 <= y < 108:                 # end mill
            return shade((210, 170, 60), light) if (y + x) % 4 < 2 else (120, 95, 40)
        if 95 <= x <= 150 and 5 <= y < 25:                    # motor
            return shade((60, 70, 80), light)
        return wall

    return palette, lambda x, y: nearest(*rgb(x, y))


if __name__ == '__main__':
    write_icon(os.path.join(HERE, 'KELDSetup.ico'), [32, 16])
    write_bmp(os.path.join(HERE, 'dipswitch.bmp'), 28, 26, 4, VGA16, dip_switch_cells())
    write_bmp(os.path.join(HERE, 'card.bmp'), 125, 52, 4, VGA16, interface_card())
    palette, pixel = machine_picture()
    write_bmp(os.path.join(HERE, 'machine.bmp'), 229, 195, 8, palette, pixel)

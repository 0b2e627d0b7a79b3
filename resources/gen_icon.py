#!/usr/bin/env python3
"""Draws the program's icon, MAINICON: a drawing sheet whose lines of text
are pulled out to the right. Writes a Windows .ico with 16 x 16 and 32 x 32
images in 32-bit colour with alpha, so the picture lives as code here.

Usage: gen_icon.py OUT.ico
"""
import struct
import sys

TRANSPARENT = (0, 0, 0, 0)
OUTLINE = (40, 52, 72, 255)
SHEET = (250, 250, 245, 255)
GRID = (170, 200, 230, 255)
TEXT = (20, 70, 170, 255)
ARROW = (230, 120, 20, 255)


def draw(size):
    s = size / 32.0
    pixels = [[TRANSPARENT] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y1 * s), int(y0 * s) + 1)):
            for x in range(int(x0 * s), max(int(x1 * s), int(x0 * s) + 1)):
                if 0 <= x < size and 0 <= y < size:
                    pixels[y][x] = colour

    fill(2, 2, 24, 30, OUTLINE)          # the sheet with its border
    fill(3, 3, 23, 29, SHEET)
    for x in (8, 14, 20):                 # the drawing's grid
        fill(x, 3, x + 1, 29, GRID)
    for y, width in ((7, 16), (13, 12), (19, 15), (25, 10)):
        fill(5, y, 5 + width, y + 2, TEXT)  # lines of text
    fill(17, 12, 27, 16, ARROW)           # the arrow pulling them out
    for i in range(6):
        fill(26 + i * 0.5, 8 + i, 27 + i * 0.5, 20 - i, ARROW)
    return pixels


def image(size):
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def main():
    images = [(size, image(size)) for size in (16, 32)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()

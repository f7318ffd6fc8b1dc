#!/usr/bin/env python3
"""Draws the launcher's banner (a dusk sky over hills, the program's raven disc and the name
in block letters) and writes it as a 24-bit .bmp of 497 x 65 pixels.

Usage: tools/make-banner.py launcher/resources/Banner.bmp
"""
import math
import os
import runpy
import struct
import sys

WIDTH, HEIGHT = 497, 65

# Block letters on a 5 x 7 grid, enough for the name.
GLYPHS = {
    "C": ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "V": ["10001", "10001", "10001", "10001", "01010", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10101", "10011", "10001", "10001"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
}
TITLE = "CORVANE"
CELL = 6  # pixels per grid square
TITLE_X, TITLE_Y = 96, 11


def blend(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def load_icon_sampler():
    """The icon's own drawing, so that banner and icon show the same raven."""
    here = os.path.dirname(os.path.abspath(__file__))
    return runpy.run_path(os.path.join(here, "make-icon.py"))["sample"]


def in_title(x, y):
    gx, gy = (x - TITLE_X) / CELL, (y - TITLE_Y) / CELL
    if gy < 0 or gy >= 7 or gx < 0:
        return False
    index, column = int(gx // 6), int(gx % 6)
    if index >= len(TITLE) or column >= 5:
        return False
    return GLYPHS[TITLE[index]][int(gy)][column] == "1"


def background(x, y):
    sky = blend((40, 30, 82), (222, 132, 60), (y / HEIGHT) ** 1.3)
    ridge = HEIGHT - 14 - 7 * math.sin(x / 37.0) - 4 * math.sin(x / 11.0 + 1.3)
    if y > ridge:
        return blend((30, 24, 40), (16, 14, 22), (y - ridge) / 20)
    return sky


def colour(icon, x, y):
    """Colour of the banner point (x, y) in pixels, y downwards."""
    c = background(x, y)
    # The raven disc at the left, the height of the banner less a margin.
    size = HEIGHT - 6
    u, v = (x - 14) / size, (y - 3) / size
    if 0 <= u < 1 and 0 <= v < 1:
        r, g, b, a = icon(u, v)
        c = blend(c, (r, g, b), a / 255)
    # The name, with a soft dark shadow down and right.
    if in_title(x - 2, y - 2):
        c = blend(c, (20, 16, 30), 0.6)
    if in_title(x, y):
        c = blend((250, 236, 204), (240, 196, 110), (y - TITLE_Y) / (7 * CELL))
    return c


def main(path):
    icon = load_icon_sampler()
    row_size = (WIDTH * 3 + 3) // 4 * 4
    pixels = bytearray()
    for py in range(HEIGHT - 1, -1, -1):  # bottom row first
        row = bytearray()
        for px in range(WIDTH):
            acc = [0.0, 0.0, 0.0]
            for sy in range(2):
                for sx in range(2):
                    c = colour(icon, px + (sx + 0.5) / 2, py + (sy + 0.5) / 2)
                    for i in range(3):
                        acc[i] += c[i] / 4
            r, g, b = (int(round(v)) for v in acc)
            row += bytes((b, g, r))
        pixels += row + bytes(row_size - len(row))
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open(path, "wb") as f:
        f.write(file_header + header + pixels)


if __name__ == "__main__":
    main(sys.argv[1])

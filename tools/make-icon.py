#!/usr/bin/env python3
"""Draws the program's icon (a raven's head over a dusk disc) and writes it as an .ico file
with 32-bit images of 16, 24, 32, 48, 64, 128 and 143 pixels.

Usage: tools/make-icon.py launcher/resources/Corvane.ico
"""
import math
import struct
import sys

SIZES = [16, 24, 32, 48, 64, 128, 143]


def blend(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def sample(x, y):
    """Colour (r, g, b, a) of the unit-square point (x, y), y downwards."""
    cx, cy = x - 0.5, y - 0.5
    r = math.hypot(cx, cy)
    if r > 0.48:
        return (0, 0, 0, 0)
    # The disc: dusk violet at the top to amber at the bottom, with a thin light rim.
    colour = blend((58, 44, 110), (214, 128, 52), max(0.0, min(1.0, y * 1.15 - 0.05)))
    if r > 0.44:
        colour = blend(colour, (236, 226, 200), (r - 0.44) / 0.04)
    # The raven's head: a round skull and a long beak pointing left, in near black.
    head = math.hypot((x - 0.58) / 0.22, (y - 0.46) / 0.20) <= 1.0
    beak_top = 0.40 + (0.58 - x) * 0.10
    beak_bottom = 0.52 - (0.58 - x) * 0.28
    beak = 0.16 <= x <= 0.58 and beak_top <= y <= beak_bottom
    neck = 0.48 <= x <= 0.80 and 0.55 <= y <= 0.92 and (x - 0.48) > (y - 0.55) * 0.2
    if head or beak or neck:
        colour = (22, 20, 30)
        if math.hypot(x - 0.60, y - 0.42) < 0.035:  # the eye
            colour = (240, 200, 80)
    return colour + (255,)


def render(size):
    """Rows of BGRA pixels, bottom row first, 4x4 supersampled."""
    rows = []
    for py in range(size - 1, -1, -1):
        row = bytearray()
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(4):
                for sx in range(4):
                    r, g, b, a = sample((px + (sx + 0.5) / 4) / size, (py + (sy + 0.5) / 4) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / 16
            if acc[3]:
                r, g, b = (int(round(acc[i] / acc[3])) for i in range(3))
            else:
                r = g = b = 0
            row += bytes((b, g, r, int(round(alpha))))
        rows.append(bytes(row))
    return rows


def image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(render(size))
    mask_row = ((size + 31) // 32) * 4
    mask = bytes(mask_row * size)  # the alpha channel decides; the mask shows everything
    return header + pixels + mask


def main(path):
    images = [image(s) for s in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(SIZES)))
    offset = 6 + 16 * len(SIZES)
    for size, data in zip(SIZES, images):
        dim = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1])

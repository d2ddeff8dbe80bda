#!/usr/bin/env python3
"""Writes a PPM board whose every pixel encodes its own position:
red = x mod 256, green = y mod 256, blue = 16 * (x div 256) + (y div 256).

  make_board.py WIDTH HEIGHT FILE"""
import sys


def pixel(x, y):
    """The board's (red, green, blue) at x, y."""
    return x & 255, y & 255, ((x >> 8) << 4 | y >> 8) & 255


def write(width, height, path):
    # Row by row rather than pixel() by pixel: a 4K board in well under a second.
    low = bytes(x & 255 for x in range(width))
    with open(path, "wb") as out:
        out.write(b"P6\n%d %d\n255\n" % (width, height))
        highs = {}
        for y in range(height):
            row = bytearray(3 * width)
            row[0::3] = low
            row[1::3] = bytes([y & 255]) * width
            key = y >> 8
            if key not in highs:
                highs[key] = bytes((((x >> 8) << 4) | key) & 255 for x in range(width))
            row[2::3] = highs[key]
            out.write(row)


if __name__ == "__main__":
    write(int(sys.argv[1]), int(sys.argv[2]), sys.argv[3])

#!/usr/bin/env python3
"""Draws the program's icon, a small calendar page, and writes it as a Windows icon file.

The icon holds two images, 32x32 and 16x16, both 32 bits per pixel with alpha. Every pixel is
computed here from a few shapes, so the output is the same byte for byte on every run.

    resources/make_icon.py            # rewrites resources/app.ico
    resources/make_icon.py -o FILE    # writes FILE instead ("-" for standard output)
"""

import argparse
import os
import struct
import sys

# Colours as (red, green, blue, alpha).
CLEAR = (0, 0, 0, 0)
OUTLINE = (64, 64, 72, 255)
PAPER = (250, 250, 246, 255)
HEADER = (200, 40, 40, 255)
HEADER_DARK = (150, 24, 24, 255)
RING = (120, 120, 128, 255)
DAY = (110, 110, 118, 255)
TODAY = (30, 90, 200, 255)
SHADOW = (0, 0, 0, 70)


def blank(size):
    return [[CLEAR] * size for _ in range(size)]


def fill(image, left, top, right, bottom, colour):
    """Paints the rectangle [left, right) x [top, bottom)."""
    for y in range(max(top, 0), min(bottom, len(image))):
        for x in range(max(left, 0), min(right, len(image))):
            image[y][x] = colour


def frame(image, left, top, right, bottom, colour):
    fill(image, left, top, right, top + 1, colour)
    fill(image, left, bottom - 1, right, bottom, colour)
    fill(image, left, top, left + 1, bottom, colour)
    fill(image, right - 1, top, right, bottom, colour)


def calendar_page(size):
    """A sheet with a red header, two binder rings and a grid of days, one of them marked."""
    image = blank(size)
    unit = size / 32.0

    def u(value):
        return int(round(value * unit))

    left, top, right, bottom = u(3), u(5), u(28), u(30)
    fill(image, left + 1, top + 1, right + 1, bottom + 1, SHADOW)
    fill(image, left, top, right, bottom, PAPER)
    header_bottom = top + max(u(7), 3)
    fill(image, left, top, right, header_bottom, HEADER)
    fill(image, left, header_bottom - 1, right, header_bottom, HEADER_DARK)
    frame(image, left, top, right, bottom, OUTLINE)

    ring_width = max(u(2), 1)
    for ring_x in (u(9), u(21)):
        fill(image, ring_x, top - max(u(3), 1), ring_x + ring_width, top + max(u(3), 2), RING)

    # Days: 4 columns by 3 rows on the large image, 3 by 2 on the small one.
    columns, rows = (4, 3) if size >= 32 else (3, 2)
    cell = max(u(2), 1)
    gap_x = (right - left - 2 - columns * cell) // (columns + 1)
    gap_y = (bottom - header_bottom - 1 - rows * cell) // (rows + 1)
    for row in range(rows):
        for column in range(columns):
            x = left + 1 + gap_x + column * (cell + gap_x)
            y = header_bottom + gap_y + row * (cell + gap_y)
            marked = (row, column) == (rows - 1, columns - 2)
            colour = TODAY if marked else DAY
            grow = 1 if marked and size >= 32 else 0
            fill(image, x - grow, y - grow, x + cell + grow, y + cell + grow, colour)
    return image


def dib(image):
    """One icon image: BITMAPINFOHEADER (height doubled for the mask), BGRA rows bottom-up,
    then the 1-bit AND mask (rows padded to 32 bits; 1 = transparent)."""
    size = len(image)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(image):
        for red, green, blue, alpha in row:
            pixels += bytes((blue, green, red, alpha))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(image):
        line = bytearray(mask_stride)
        for x, (_, _, _, alpha) in enumerate(row):
            if alpha == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bytes(pixels) + bytes(mask)


def icon_file(images):
    """ICONDIR, one ICONDIRENTRY per image, then the images."""
    blobs = [dib(image) for image in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for image, blob in zip(images, blobs):
        size = len(image)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def main():
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "app.ico")
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-o", "--output", default=default)
    args = parser.parse_args()
    data = icon_file([calendar_page(32), calendar_page(16)])
    if args.output == "-":
        sys.stdout.buffer.write(data)
    else:
        with open(args.output, "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()

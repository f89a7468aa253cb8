#!/usr/bin/env python3
"""Writes the icons of the framework's Windows tests and an .rc file naming them.

usage: make_test_icons.py OUTPUT_DIR

Icon 1: 32x32, 32 bits per pixel; the left half opaque with a colour ramp, the right half clear.
Icon 2: 16x16, every pixel clear.
Icon 3: 32-bit images of 16, 24 and 48 pixels, for the choice of an image by size.
"""
import os
import struct
import sys


def image(size, pixel):
    """BITMAPINFOHEADER, bottom-up BGRA rows and the AND mask of one icon image."""
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = bytearray()
    mask = bytearray()
    mask_row_bytes = ((size + 31) // 32) * 4
    for row in range(size):
        y = size - 1 - row
        bits = bytearray(mask_row_bytes)
        for x in range(size):
            b, g, r, a = pixel(x, y)
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(xor) + bytes(mask)


def icon(images):
    """An .ico file from (size, image bytes) pairs."""
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b''
    for size, bytes_ in images:
        data += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(bytes_), offset + len(body))
        body += bytes_
    return data + body


def ramp(x, y):
    if x >= 16:
        return (0, 0, 0, 0)
    return ((x * 16) & 255, y * 8, 200 - x * 5, 255)


def clear(x, y):
    return (0, 0, 0, 0)


def solid(x, y):
    return (40, 80, 120, 255)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {
        'ramp.ico': icon([(32, image(32, ramp))]),
        'clear.ico': icon([(16, image(16, clear))]),
        'sizes.ico': icon([(s, image(s, solid)) for s in (16, 24, 48)]),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)
    with open(os.path.join(out, 'test_icons.rc'), 'w') as f:
        f.write('// Made by tools/testsupport/make_test_icons.py\n')
        for number, name in ((1, 'ramp.ico'), (2, 'clear.ico'), (3, 'sizes.ico')):
            f.write('%d ICON "%s"\n' % (number, os.path.join(out, name).replace('\\', '/')))


if __name__ == '__main__':
    main()

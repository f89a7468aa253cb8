#!/usr/bin/env python3
"""Draws the drawing banner, the picture a plant shows while its first render is awaited, and
writes it as a 24-bit BMP for the resource compiler (bitmap 511).

    make_banner.py OUTPUT.bmp

A rounded panel holding the program icon's plant and the word "Drawing...", drawn with the
shapes and the supersampling of make_icons.py. Pure black is the picture's transparency key, so
the corners outside the panel are black and nothing inside the panel is. Output is deterministic.
"""
import os
import struct
import sys

from make_icons import plant, rect, render

WIDTH = 152
HEIGHT = 36
PANEL = (246, 242, 224)
BORDER = (70, 120, 50)
INK = (40, 85, 35)

# 5 x 8 glyphs (3 x 8 and 2 x 8 for the narrow ones); row 7 is the descender.
GLYPHS = {
    'D': ['####.', '#...#', '#...#', '#...#', '#...#', '#...#', '####.', '.....'],
    'r': ['.....', '.....', '#.##.', '##..#', '#....', '#....', '#....', '.....'],
    'a': ['.....', '.....', '.###.', '....#', '.####', '#...#', '.####', '.....'],
    'w': ['.....', '.....', '#...#', '#...#', '#.#.#', '#.#.#', '.#.#.', '.....'],
    'i': ['.#.', '...', '##.', '.#.', '.#.', '.#.', '###', '...'],
    'n': ['.....', '.....', '#.##.', '##..#', '#...#', '#...#', '#...#', '.....'],
    'g': ['.....', '.....', '.####', '#...#', '#...#', '.####', '....#', '.###.'],
    '.': ['..', '..', '..', '..', '..', '##', '##', '..'],
}


def rounded_rect(x0, y0, x1, y1, radius, colour):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return (inside, colour)


def placed(shapes, x0, y0, scale):
    """The unit-square shapes moved to (x0, y0) and scaled to scale pixels."""
    return [((lambda f: lambda x, y: f((x - x0) / scale, (y - y0) / scale))(inside), colour)
            for inside, colour in shapes]


def text(word, x0, y0, dot, colour):
    """One rectangle per lit glyph cell, dot pixels square, one empty column between glyphs."""
    shapes = []
    x = x0
    for letter in word:
        rows = GLYPHS[letter]
        for row, cells in enumerate(rows):
            for column, cell in enumerate(cells):
                if cell == '#':
                    left, top = x + column * dot, y0 + row * dot
                    shapes.append(rect(left, top, left + dot, top + dot, colour))
        x += (len(rows[0]) + 1) * dot
    return shapes


def banner():
    return ([rounded_rect(0.5, 0.5, WIDTH - 0.5, HEIGHT - 0.5, 9, BORDER),
             rounded_rect(2.5, 2.5, WIDTH - 2.5, HEIGHT - 2.5, 7, PANEL)]
            + placed(plant(), 6, 3, 30)
            + text('Drawing...', 42, 10, 2, INK))


def bmp(rows):
    """A bottom-up 24-bit BMP, each pixel's colour taken over black by its coverage."""
    stride = (WIDTH * 3 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for b, g, r, a in row:
            line += bytes(round(c * a / 255) for c in (b, g, r))
        pixels += line + bytes(stride - len(line))
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack('<IiiHHIIiiII', 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    return header + info + bytes(pixels)


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_banner.py OUTPUT.bmp')
    path = sys.argv[1]
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    data = bmp(render(banner(), WIDTH, HEIGHT, unit=1))
    with open(path + '.tmp', 'wb') as f:
        f.write(data)
    os.replace(path + '.tmp', path)


if __name__ == '__main__':
    main()

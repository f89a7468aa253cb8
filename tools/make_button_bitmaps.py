#!/usr/bin/env python3
"""Draws the plant dialog's button pictures and writes them as 8-bit BMPs for the resource
compiler: the add-water and add-fertilizer buttons of the Care page and the seven size and
position buttons of the Options page.

    make_button_bitmaps.py OUTPUT_FOLDER

The shapes and the supersampling are those of make_icons.py, laid on the light grey RGB(192, 192,
192) that LoadImage's LR_LOADMAP3DCOLORS turns into the button face; it also maps RGB(128, 128,
128) and RGB(223, 223, 223), so no drawn pixel is left on those three greys. The pictures keep a
colour table (the mapping needs one). Output is deterministic.
"""
import math
import struct

from make_icons import (BLUE, GREEN, LIGHT_GREEN, STEM, TERRACOTTA, WHITE, ellipse, leaf, polygon, rect, render,
                        write_pictures)

SIZE = 24
FACE = (192, 192, 192)
MAPPED_GREYS = ((128, 128, 128), (192, 192, 192), (223, 223, 223))
ARROW = (40, 110, 50)
FRAME = (70, 70, 80)
SACK = (120, 60, 40)
SACK_LIGHT = (170, 110, 60)


def rotated(points, angle):
    """The points of a unit-square shape turned by angle (radians) about the centre."""
    ca, sa = math.cos(angle), math.sin(angle)
    return [(0.5 + (x - 0.5) * ca - (y - 0.5) * sa, 0.5 + (x - 0.5) * sa + (y - 0.5) * ca) for x, y in points]


# An arrow pointing up, filling most of the square.
UP_ARROW = [(0.5, 0.08), (0.90, 0.50), (0.64, 0.50), (0.64, 0.92), (0.36, 0.92), (0.36, 0.50), (0.10, 0.50)]


def arrow(quarter_turns):
    return [polygon(rotated(UP_ARROW, quarter_turns * math.pi / 2), ARROW)]


def corner_arrows(outward):
    """Four small triangles in the corners, pointing out of the square or into it."""
    shapes = []
    for sx, sy in ((-1, -1), (1, -1), (1, 1), (-1, 1)):
        if outward:
            tip, base = 0.46, 0.20
        else:
            tip, base = 0.16, 0.42
        # The base's two corners lie across the diagonal from its middle.
        across = 0.14
        middle = (0.5 + sx * base, 0.5 + sy * base)
        shapes.append(polygon([(0.5 + sx * tip, 0.5 + sy * tip),
                               (middle[0] + sx * across, middle[1] - sy * across),
                               (middle[0] - sx * across, middle[1] + sy * across)], ARROW))
    return shapes


def small_plant(cx, cy, scale):
    """The program icon's plant shrunk to scale and centred on (cx, cy)."""
    def moved(x, y):
        return (cx + (x - 0.5) * scale, cy + (y - 0.5) * scale)
    return [
        polygon([moved(0.48, 0.30), moved(0.53, 0.30), moved(0.53, 0.66), moved(0.48, 0.66)], STEM),
        leaf(*moved(0.50, 0.50), 0.40 * scale, 0.22 * scale, math.radians(-150), GREEN),
        leaf(*moved(0.50, 0.42), 0.40 * scale, 0.22 * scale, math.radians(-30), LIGHT_GREEN),
        polygon([moved(0.22, 0.62), moved(0.78, 0.62), moved(0.68, 0.97), moved(0.32, 0.97)], TERRACOTTA),
    ]


def plus(cx, cy, half, colour):
    return [rect(cx - half, cy - half / 3, cx + half, cy + half / 3, colour),
            rect(cx - half / 3, cy - half, cx + half / 3, cy + half, colour)]


BITMAPS = {
    # Default size and position: the plant centred in its frame.
    500: [rect(0.06, 0.06, 0.94, 0.94, FRAME), rect(0.14, 0.14, 0.86, 0.86, FACE)] + small_plant(0.5, 0.52, 0.62),
    501: arrow(2),   # down
    506: arrow(3),   # left
    509: arrow(1),   # right
    515: arrow(0),   # up
    505: [rect(0.36, 0.36, 0.64, 0.64, FRAME)] + corner_arrows(True),    # larger
    510: [rect(0.43, 0.43, 0.57, 0.57, FRAME)] + corner_arrows(False),   # smaller
    # Add fertilizer: a sack with a plus.
    503: [polygon([(0.22, 0.30), (0.62, 0.30), (0.74, 0.95), (0.10, 0.95)], SACK),
          polygon([(0.28, 0.14), (0.56, 0.14), (0.62, 0.30), (0.22, 0.30)], SACK_LIGHT)]
         + plus(0.78, 0.24, 0.19, ARROW),
    # Add water: a drop with a plus.
    516: [polygon([(0.42, 0.08), (0.70, 0.55), (0.14, 0.55)], BLUE), ellipse(0.42, 0.64, 0.28, 0.28, BLUE),
          ellipse(0.34, 0.66, 0.07, 0.10, WHITE)] + plus(0.78, 0.24, 0.19, ARROW),
}


def composite(rows):
    """The rendered rows (b, g, r, a) laid over the face colour, as (r, g, b) tuples."""
    out = []
    for row in rows:
        line = []
        for b, g, r, a in row:
            k = a / 255.0
            pixel = tuple(int(round(c * k + f * (1 - k))) for c, f in zip((r, g, b), FACE))
            if a == 0:
                pixel = FACE
            elif pixel in MAPPED_GREYS:
                pixel = (pixel[0] + 1, pixel[1], pixel[2])
            line.append(pixel)
        out.append(line)
    return out


def palette_of(pixels):
    """A colour table of at most 256 entries: the pixels' colours, coarsened until they fit."""
    step = 1
    while True:
        def coarse(p):
            if p == FACE:
                return p
            q = tuple(min(255, (c // step) * step + step // 2) for c in p)
            return (q[0] + 1, q[1], q[2]) if q in MAPPED_GREYS else q
        colours = sorted({coarse(p) for row in pixels for p in row})
        if len(colours) <= 256:
            return colours, coarse
        step *= 2


def bmp(pixels):
    colours, coarse = palette_of(pixels)
    index = {c: i for i, c in enumerate(colours)}
    stride = (SIZE + 3) & ~3
    table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)
    data = bytearray()
    for row in reversed(pixels):
        line = bytes(index[coarse(p)] for p in row)
        data += line + bytes(stride - len(line))
    offset = 14 + 40 + len(table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE, 1, 8, 0, len(data), 0, 0, len(colours), 0)
    return header + info + table + bytes(data)


def main():
    write_pictures(BITMAPS, lambda shapes: bmp(composite(render(shapes, SIZE))), 'bitmap%d.bmp')


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files (32-bit colour with alpha, plus the
AND mask older readers need) at 16, 32, 48 and 64 pixels, and its cursors as 32-pixel .cur files.

    make_icons.py OUTPUT_FOLDER

Each icon is a list of shapes in a unit square (x right, y down), filled back to front and
supersampled 4 x 4 per pixel for smooth edges. Output is deterministic.
"""
import math
import os
import struct
import sys

SIZES = (16, 32, 48, 64)
SUB = 4


def ellipse(cx, cy, rx, ry, colour):
    return (lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0, colour)


def rect(x0, y0, x1, y1, colour):
    return (lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, colour)


def polygon(points, colour):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                hit = not hit
        return hit
    return (inside, colour)


def leaf(cx, cy, length, width, angle, colour):
    ca, sa = math.cos(angle), math.sin(angle)

    def inside(x, y):
        dx, dy = x - cx, y - cy
        u = dx * ca + dy * sa          # along the leaf, from its base
        v = -dx * sa + dy * ca
        if u < 0 or u > length:
            return False
        half = width * math.sin(math.pi * u / length) / 2
        return abs(v) <= half
    return (inside, colour)


def ring(cx, cy, r_out, r_in, colour):
    return (lambda x, y: r_in ** 2 <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out ** 2, colour)


TERRACOTTA = (196, 98, 45)
DARK_POT = (150, 70, 35)
SOIL = (90, 60, 40)
GREEN = (60, 150, 60)
LIGHT_GREEN = (110, 190, 80)
STEM = (70, 120, 50)
GREY = (90, 90, 100)
BLUE = (50, 100, 200)
WHITE = (250, 250, 250)
GOLD = (220, 170, 40)


def plant(extra=()):
    return [
        rect(0.48, 0.30, 0.53, 0.66, STEM),
        leaf(0.50, 0.50, 0.40, 0.20, math.radians(-150), GREEN),
        leaf(0.50, 0.42, 0.40, 0.20, math.radians(-30), LIGHT_GREEN),
        leaf(0.50, 0.34, 0.34, 0.18, math.radians(-100), GREEN),
        polygon([(0.22, 0.62), (0.78, 0.62), (0.68, 0.97), (0.32, 0.97)], TERRACOTTA),
        rect(0.18, 0.58, 0.82, 0.68, DARK_POT),
        rect(0.24, 0.585, 0.76, 0.615, SOIL),
    ] + list(extra)


ICONS = {
    # Program and dialogs.
    1: plant(),
    2: plant([ellipse(0.80, 0.20, 0.16, 0.16, BLUE), rect(0.785, 0.10, 0.815, 0.24, WHITE),
              rect(0.785, 0.27, 0.815, 0.30, WHITE)]),
    5: [ellipse(0.5, 0.5, 0.42, 0.42, GREEN), leaf(0.30, 0.70, 0.55, 0.30, math.radians(-45), LIGHT_GREEN)],
    6: [ring(0.5, 0.5, 0.44, 0.30, GOLD), ellipse(0.5, 0.5, 0.22, 0.22, GOLD)],
    7: [polygon([(0.5, 0.08), (0.80, 0.55), (0.20, 0.55)], BLUE), ellipse(0.5, 0.62, 0.30, 0.30, BLUE)],
    # Command icons of the window menu: caption, colour, font, lock, on top, taskbar,
    # transparency, colour swatch and its frame.
    50000: [rect(0.08, 0.15, 0.92, 0.85, GREY), rect(0.08, 0.15, 0.92, 0.35, BLUE), rect(0.14, 0.40, 0.86, 0.80, WHITE)],
    50001: [ellipse(0.35, 0.38, 0.22, 0.22, (220, 60, 60)), ellipse(0.65, 0.38, 0.22, 0.22, (60, 180, 60)),
            ellipse(0.50, 0.65, 0.22, 0.22, BLUE)],
    50002: [polygon([(0.15, 0.90), (0.42, 0.10), (0.58, 0.10), (0.85, 0.90), (0.68, 0.90), (0.50, 0.33), (0.32, 0.90)], GREY),
            rect(0.30, 0.58, 0.70, 0.68, GREY)],
    50003: [ring(0.5, 0.38, 0.26, 0.15, GREY), rect(0.18, 0.42, 0.82, 0.92, GOLD)],
    50004: [rect(0.10, 0.40, 0.70, 0.90, GREY), rect(0.30, 0.10, 0.90, 0.60, BLUE)],
    50005: [rect(0.05, 0.70, 0.95, 0.95, BLUE), rect(0.12, 0.76, 0.32, 0.89, WHITE)],
    50006: [rect(0.10, 0.10, 0.50, 0.50, GREY), rect(0.50, 0.50, 0.90, 0.90, GREY),
            rect(0.50, 0.10, 0.90, 0.50, (200, 200, 205)), rect(0.10, 0.50, 0.50, 0.90, (200, 200, 205))],
    # The colour items draw their colour as a disc under these two: a thin rim with a gleam, and a
    # frame; both leave the middle clear for the colour to show.
    50007: [ring(0.5, 0.5, 0.50, 0.43, (70, 70, 80)), ellipse(0.30, 0.27, 0.10, 0.06, WHITE)],
    50008: [ring(0.5, 0.5, 0.46, 0.36, GREY)],
}


def stroke(x0, y0, x1, y1, width, colour):
    """A straight band of `width` from (x0, y0) to (x1, y1)."""
    length = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / length, (y1 - y0) / length

    def inside(x, y):
        along = (x - x0) * ux + (y - y0) * uy
        across = -(x - x0) * uy + (y - y0) * ux
        return 0 <= along <= length and abs(across) <= width / 2
    return (inside, colour)


BLACK = (10, 10, 10)

# Cursors: shapes and hot spot (in pixels of the 32-pixel image).
CURSORS = {
    # The eyedropper the colour items show while they pick a colour from the screen: its tip at
    # the bottom left is the hot spot.
    50105: ([stroke(0.06, 0.94, 0.62, 0.38, 0.16, BLACK), stroke(0.08, 0.92, 0.60, 0.40, 0.08, WHITE),
             stroke(0.55, 0.45, 0.80, 0.20, 0.26, BLACK), ellipse(0.82, 0.18, 0.14, 0.14, BLACK),
             stroke(0.48, 0.30, 0.70, 0.52, 0.10, BLACK)], (1, 30)),
}


def render(shapes, size, height=None, unit=None):
    """Rows top to bottom of (b, g, r, a) tuples: size x size pixels, or size x height, with the
    shapes' coordinates in units of `unit` pixels (the size by default: a unit square)."""
    height = size if height is None else height
    unit = size if unit is None else unit
    rows = []
    for py in range(height):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(SUB):
                for sx in range(SUB):
                    x = (px + (sx + 0.5) / SUB) / unit
                    y = (py + (sy + 0.5) / SUB) / unit
                    colour = None
                    for inside, c in shapes:
                        if inside(x, y):
                            colour = c
                    if colour is not None:
                        covered += 1
                        for i in range(3):
                            acc[i] += colour[i]
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (int(round(v / covered)) for v in acc)
                row.append((b, g, r, int(round(255 * covered / (SUB * SUB)))))
        rows.append(row)
    return rows


def dib(rows, size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(struct.pack('<BBBB', *p) for row in reversed(rows) for p in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def ico(shapes):
    images = [dib(render(shapes, s), s) for s in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, image in zip(SIZES, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b''.join(images)


def cur(shapes, hot_spot):
    """A .cur file of one 32-pixel image; the directory entry holds the hot spot where an icon
    holds its planes and bit count."""
    size = 32
    image = dib(render(shapes, size), size)
    out = struct.pack('<HHH', 0, 2, 1)
    out += struct.pack('<BBBBHHII', size, size, 0, 0, hot_spot[0], hot_spot[1], len(image), 6 + 16)
    return out + image


def write_pictures(pictures, encode, name_pattern):
    """The command line's one argument is the output folder; each numbered picture is encoded and
    written there as name_pattern % number, each file replaced only by a complete new one."""
    if len(sys.argv) != 2:
        sys.exit('usage: %s OUTPUT_FOLDER' % os.path.basename(sys.argv[0]))
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for number, shapes in pictures.items():
        data = encode(shapes)
        path = os.path.join(folder, name_pattern % number)
        with open(path + '.tmp', 'wb') as f:
            f.write(data)
        os.replace(path + '.tmp', path)


def main():
    write_pictures(ICONS, ico, 'icon%d.ico')
    write_pictures(CURSORS, lambda cursor: cur(*cursor), 'cursor%d.cur')


if __name__ == '__main__':
    main()

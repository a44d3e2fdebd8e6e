#!/usr/bin/env python3
"""Draws the two programs' application icons and writes them as .ico files.

Each icon is one 32x32 image with a 256-colour palette (8 bits per pixel) and a transparency
mask: setup.ico shows a silver disc, wizard.ico a wand with a star at its tip. The output is
deterministic, so running the script again reproduces the committed files byte for byte.

Usage: make_icons.py [output directory]   (default: the directory of this script)
"""

import math
import os
import struct
import sys

SIZE = 32


def make_palette():
    """A 6x6x6 colour cube followed by a ramp of 40 greys: 256 entries of (r, g, b)."""
    palette = []
    levels = [0, 51, 102, 153, 204, 255]
    for r in levels:
        for g in levels:
            for b in levels:
                palette.append((r, g, b))
    for i in range(40):
        v = round(i * 255 / 39)
        palette.append((v, v, v))
    assert len(palette) == 256
    return palette


PALETTE = make_palette()


def nearest(colour):
    r, g, b = colour
    best, best_distance = 0, None
    for index, (pr, pg, pb) in enumerate(PALETTE):
        distance = (pr - r) ** 2 + (pg - g) ** 2 + (pb - b) ** 2
        if best_distance is None or distance < best_distance:
            best, best_distance = index, distance
    return best


def clamp(value):
    return max(0, min(255, int(round(value))))


def draw_disc(x, y):
    """A disc with a centre hole: silver, with a bluish sheen across it and a dark rim."""
    cx = cy = 15.5
    d = math.hypot(x - cx, y - cy)
    if d > 15.0 or d < 3.0:
        return None
    if d > 14.0 or d < 4.0:
        return (64, 64, 80)
    if d < 6.0:
        return (230, 230, 235)  # the clear hub around the hole
    angle = math.atan2(y - cy, x - cx)
    sheen = 0.5 + 0.5 * math.cos(2 * angle - 0.8)
    base = 150 + 90 * sheen
    return (clamp(base - 40 * sheen), clamp(base - 10 * sheen), clamp(base + 30 * (1 - sheen)))


def in_star(x, y, cx, cy, outer, inner):
    """Whether (x, y) lies inside a five-pointed star centred at (cx, cy), point upwards."""
    dx, dy = x - cx, cy - y
    r = math.hypot(dx, dy)
    if r > outer:
        return False
    if r <= inner:
        return True
    angle = (math.atan2(dx, dy) % (2 * math.pi / 5)) - math.pi / 5
    # Edge of the star between an outer point (angle 0) and an inner corner (angle pi/5),
    # in polar form: the distance of the edge line from the centre along this direction.
    a = abs(angle)
    p1 = (outer, 0.0)
    p2 = (inner * math.cos(math.pi / 5), inner * math.sin(math.pi / 5))
    ux, uy = math.cos(a), math.sin(a)
    ex, ey = p2[0] - p1[0], p2[1] - p1[1]
    denominator = ux * ey - uy * ex
    if denominator == 0:
        return False
    t = (p1[0] * ey - p1[1] * ex) / denominator
    return r <= t


def draw_wand(x, y):
    """A dark wand from the lower left corner up to a yellow star in the upper right."""
    px, py = x + 0.5, y + 0.5
    if in_star(px, py, 21.0, 10.0, 10.5, 4.3):
        if in_star(px, py, 21.0, 10.0, 8.5, 3.3):
            return (255, 220, 40)
        return (200, 120, 0)
    # The wand: a thick segment from (3, 29) to (17, 15), with a white tip band.
    ax, ay, bx, by = 3.0, 29.0, 17.0, 15.0
    vx, vy = bx - ax, by - ay
    t = ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)
    if 0.0 <= t <= 1.0:
        qx, qy = ax + t * vx, ay + t * vy
        if math.hypot(px - qx, py - qy) <= 1.9:
            if t > 0.82:
                return (250, 250, 250)
            return (90, 40, 140) if math.hypot(px - qx, py - qy) > 1.0 else (140, 80, 200)
    # A few sparkles beside the star.
    for sx, sy in ((8, 6), (12, 3), (29, 23), (25, 27)):
        if (abs(px - sx - 0.5) < 0.6 and abs(py - sy - 0.5) < 1.6) or (
            abs(py - sy - 0.5) < 0.6 and abs(px - sx - 0.5) < 1.6
        ):
            return (255, 255, 200)
    return None


def icon_bytes(draw):
    """One 32x32 8-bit icon: header, directory entry, bitmap header, palette, pixels, mask."""
    pixels = []  # rows from top to bottom: (palette index, transparent)
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            colour = draw(x, y)
            row.append((0, True) if colour is None else (nearest(colour), False))
        pixels.append(row)

    colour_rows = b""
    mask_rows = b""
    for row in reversed(pixels):  # bitmaps are stored bottom-up
        colour_rows += bytes(index for index, _ in row)
        bits = 0
        for x, (_, transparent) in enumerate(row):
            if transparent:
                bits |= 1 << (31 - x)
        mask_rows += struct.pack(">I", bits)  # 32 bits per row: already 4-byte aligned

    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image_size = len(colour_rows) + len(mask_rows)
    # BITMAPINFOHEADER: the height counts the colour image and the mask together.
    bitmap_header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 8, 0, image_size, 0, 0, 256, 0)
    image = bitmap_header + palette + colour_rows + mask_rows

    directory = struct.pack("<HHH", 0, 1, 1)
    # Width and height 32, colour count 0 (means 256), 1 plane, 8 bits, size, offset.
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, draw in (("setup.ico", draw_disc), ("wizard.ico", draw_wand)):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(icon_bytes(draw))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the map pointer icons of the program folder (data/*.ico).

Our own drawings: three crosshairs (black, red, yellow) and two magnifiers
(zoom in, zoom out), 32 x 32 pixels, 32-bit colour with an AND mask.
Run from the repository root: scripts/make_icons.py
"""
import math
import struct

SIZE = 32


def crosshair(colour):
    px = {}
    c = SIZE // 2
    for i in range(2, SIZE - 2):
        if abs(i - c) <= 2:
            continue  # leave the centre open so the point under it stays visible
        px[(i, c)] = colour
        px[(c, i)] = colour
    # a thin dark outline keeps a yellow cross readable on light maps
    outline = {}
    for (x, y) in px:
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            q = (x + dx, y + dy)
            if q not in px and 0 <= q[0] < SIZE and 0 <= q[1] < SIZE:
                outline[q] = (64, 64, 64) if colour != (0, 0, 0) else (255, 255, 255)
    outline.update(px)
    return outline


def magnifier(plus):
    px = {}
    cx, cy, r = 12, 12, 8
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x - cx, y - cy)
            if r - 1.2 <= d <= r + 0.8:
                px[(x, y)] = (0, 0, 0)
            elif d < r - 1.2:
                px[(x, y)] = (230, 240, 255)
    for i in range(7):  # the handle
        for w in range(-1, 2):
            px[(cx + 6 + i + w, cy + 6 + i)] = (90, 60, 30)
    for i in range(cx - 4, cx + 5):
        px[(i, cy)] = (0, 0, 0)
        if plus:
            px[(cx, i)] = (0, 0, 0)
    return px


def write_ico(path, pixels):
    xor = bytearray()
    for y in range(SIZE - 1, -1, -1):  # bottom-up rows
        for x in range(SIZE):
            if (x, y) in pixels:
                r, g, b = pixels[(x, y)]
                xor += bytes((b, g, r, 255))
            else:
                xor += bytes((0, 0, 0, 0))
    mask = bytearray()
    for y in range(SIZE - 1, -1, -1):
        row = 0
        for x in range(SIZE):
            if (x, y) not in pixels:
                row |= 1 << (31 - x)
        mask += struct.pack(">I", row)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


write_ico("data/crosshair_black.ico", crosshair((0, 0, 0)))
write_ico("data/crosshair_red.ico", crosshair((255, 0, 0)))
write_ico("data/crosshair_yellow.ico", crosshair((255, 255, 0)))
write_ico("data/zoom_in.ico", magnifier(True))
write_ico("data/zoom_out.ico", magnifier(False))

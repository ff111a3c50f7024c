#!/usr/bin/env python3
"""Draws the program's icon, a small TV set, at 16 and 32 pixels and writes it as an icon file
(32-bit colour images with AND masks). The lower-left pixel of each image is transparent.

Run once from the repository root:  python3 tools/make_tv_icon.py resources/bitmaps/VYX_TV.ico
"""
import struct
import sys

CLEAR = None
CABINET = (0x3A, 0x32, 0x2C)
CABINET_LIGHT = (0x6E, 0x60, 0x52)
CABINET_DARK = (0x1E, 0x1A, 0x16)
SCREEN_TOP = (0x58, 0xB8, 0xF0)
SCREEN_BOTTOM = (0x10, 0x40, 0x90)
GLARE = (0xD8, 0xF0, 0xFF)
KNOB = (0xE0, 0xB0, 0x30)
ANTENNA = (0x90, 0x90, 0x98)
GRILLE = (0x20, 0x1C, 0x18)


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[CLEAR] * size for _ in range(size)]

    def put(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def rect(self, l, t, r, b, c):  # r and b inclusive
        for y in range(t, b + 1):
            for x in range(l, r + 1):
                self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def rounded(self, l, t, r, b, c):
        self.rect(l + 1, t, r - 1, b, c)
        self.rect(l, t + 1, r, b - 1, c)

    def screen(self, l, t, r, b):
        for y in range(t, b + 1):
            f = (y - t) / max(1, b - t)
            c = tuple(int(SCREEN_TOP[i] + (SCREEN_BOTTOM[i] - SCREEN_TOP[i]) * f) for i in range(3))
            inset = 1 if y in (t, b) else 0
            for x in range(l + inset, r + 1 - inset):
                self.put(x, y, c)


def draw32():
    c = Canvas(32)
    c.line(15, 8, 9, 1, ANTENNA)
    c.line(16, 8, 23, 1, ANTENNA)
    c.put(9, 1, KNOB)
    c.put(23, 1, KNOB)
    c.rect(13, 7, 18, 8, CABINET_LIGHT)
    c.rounded(1, 9, 30, 27, CABINET_DARK)
    c.rounded(2, 10, 29, 26, CABINET)
    c.rect(3, 10, 28, 10, CABINET_LIGHT)
    c.rounded(4, 12, 22, 25, CABINET_DARK)
    c.screen(5, 13, 21, 24)
    c.line(7, 15, 10, 15, GLARE)
    c.line(7, 16, 8, 16, GLARE)
    for y in (13, 17):
        c.rect(24, y, 26, y + 2, KNOB)
        c.put(25, y + 1, CABINET_DARK)
    for y in (21, 23, 25):
        c.line(24, y, 27, y, GRILLE)
    c.rect(5, 28, 7, 29, CABINET_DARK)
    c.rect(24, 28, 26, 29, CABINET_DARK)
    return c


def draw16():
    c = Canvas(16)
    c.line(7, 4, 4, 0, ANTENNA)
    c.line(8, 4, 11, 0, ANTENNA)
    c.rounded(0, 4, 15, 13, CABINET_DARK)
    c.rounded(1, 5, 14, 12, CABINET)
    c.rect(2, 6, 10, 11, CABINET_DARK)
    c.screen(3, 7, 9, 10)
    c.put(4, 8, GLARE)
    c.put(12, 7, KNOB)
    c.put(12, 9, KNOB)
    c.put(12, 11, GRILLE)
    c.put(2, 14, CABINET_DARK)
    c.put(13, 14, CABINET_DARK)
    return c


def image_bytes(c):
    n = c.size
    colour = bytearray()
    for y in range(n - 1, -1, -1):  # bottom-up rows
        for x in range(n):
            p = c.px[y][x]
            colour += bytes((0, 0, 0, 0)) if p is None else bytes((p[2], p[1], p[0], 255))
    mask_row = ((n + 31) // 32) * 4
    mask = bytearray()
    for y in range(n - 1, -1, -1):
        row = bytearray(mask_row)
        for x in range(n):
            if c.px[y][x] is None:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack('<IiiHHIIiiII', 40, n, 2 * n, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + mask


def main(path):
    images = [draw16(), draw32()]
    for c in images:
        assert c.px[c.size - 1][0] is None, 'the lower-left pixel must stay transparent'
    bodies = [image_bytes(c) for c in images]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for c, body in zip(images, bodies):
        out += struct.pack('<BBBBHHII', c.size, c.size, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    for body in bodies:
        out += body
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'resources/bitmaps/VYX_TV.ico')

#!/usr/bin/env python3
"""Draws the check list box's check images into resources/bitmaps/CHECK_IMAGES.bmp.

Run once from the repository root: python3 tools/make_check_images.py
A 96 x 39 16-colour BMP: 6 columns x 3 rows of 16 x 13 cells. Row 0 check boxes, row 1 radio
buttons, row 2 check marks; in each row unchecked, checked and grayed, enabled, then the same
three disabled. The lower-left pixel (and every cell's background) is the transparent colour.
"""
import os

from make_slider_spin_bitmaps import PALETTE16, write_bmp

# '.' teal background (transparent), K black, G grey, S silver, W white.
COLOURS = {'.': 6, 'K': 0, 'G': 7, 'S': 8, 'W': 15}
CELL_W, CELL_H = 16, 13

CHECK = [(3, 5), (3, 6), (3, 7), (4, 6), (4, 7), (4, 8), (5, 7), (5, 8), (5, 9), (6, 6), (6, 7),
         (6, 8), (7, 5), (7, 6), (7, 7), (8, 4), (8, 5), (8, 6), (9, 3), (9, 4), (9, 5)]


def cell():
    return [['.'] * CELL_W for _ in range(CELL_H)]


def box(grid, state, enabled):
    """A sunken 12 x 12 box at the cell's top left (the bottom row stays background, so that the
    cell's lower-left pixel is the transparent colour): grey/black upper-left, white/silver
    lower-right."""
    for i in range(12):
        grid[0][i] = grid[i][0] = 'G'
        grid[11][i] = grid[i][11] = 'W'
    for i in range(1, 11):
        grid[1][i] = grid[i][1] = 'K'
        grid[10][i] = grid[i][10] = 'S'
    face = 'W' if enabled and state != 2 else 'S'
    for y in range(2, 10):
        for x in range(2, 10):
            grid[y][x] = face
    if state:
        mark = 'K' if enabled and state == 1 else 'G'
        for x, y in CHECK:
            grid[y][x] = mark


def radio(grid, state, enabled):
    """A round button of radius 6 centred at (6, 6)."""
    face = 'W' if enabled else 'S'
    for y in range(13):
        for x in range(13):
            d = (x - 6) ** 2 + (y - 6) ** 2
            if d <= 20:
                grid[y][x] = face
            elif d <= 36:
                grid[y][x] = 'G' if x + y < 12 else 'W'
    if state:
        dot = 'K' if enabled and state == 1 else 'G'
        for y in range(4, 9):
            for x in range(4, 9):
                if (x - 6) ** 2 + (y - 6) ** 2 <= 4:
                    grid[y][x] = dot


def mark(grid, state, enabled):
    """A bare check mark, no box."""
    if state:
        colour = 'K' if enabled and state == 1 else 'G'
        for x, y in CHECK:
            grid[y][x] = colour


def main():
    rows = [['.'] * (CELL_W * 6) for _ in range(CELL_H * 3)]
    for kind, draw in enumerate((box, radio, mark)):
        for column in range(6):
            grid = cell()
            draw(grid, column % 3, column < 3)
            for y in range(CELL_H):
                for x in range(CELL_W):
                    rows[kind * CELL_H + y][column * CELL_W + x] = grid[y][x]
    for kind in range(3):
        for column in range(6):
            assert rows[kind * CELL_H + CELL_H - 1][column * CELL_W] == '.', (kind, column)
    out = os.path.join(os.path.dirname(__file__), '..', 'resources', 'bitmaps', 'CHECK_IMAGES.bmp')
    write_bmp(out, [[COLOURS[c] for c in line] for line in rows], 4, PALETTE16)


if __name__ == '__main__':
    main()

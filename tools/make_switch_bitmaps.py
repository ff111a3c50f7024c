#!/usr/bin/env python3
"""Draws the built-in pictures of the switch into resources/bitmaps/.

Run once from the repository root: python3 tools/make_switch_bitmaps.py
- SWITCH_OFF, SWITCH_ON: a lever switch on a raised plate, 32 x 48, the lever down (off) or up
  (on) in a dark slot, with a dim or lit lamp above the slot.
Both are 16-colour BMPs whose lower-left pixel is the transparent background.
"""
import os

from make_slider_spin_bitmaps import PALETTE16, write_bmp

# '.' teal background (transparent), K black, G grey, S silver, W white, D dark green (lamp off),
# L lime (lamp on).
COLOURS = {'.': 6, 'K': 0, 'G': 7, 'S': 8, 'W': 15, 'D': 2, 'L': 10}

WIDTH, HEIGHT = 32, 48


def canvas():
    return [['.'] * WIDTH for _ in range(HEIGHT)]


def fill(grid, left, top, right, bottom, colour):
    """Fills columns left..right-1 and rows top..bottom-1."""
    for y in range(top, bottom):
        for x in range(left, right):
            grid[y][x] = colour


def raised(grid, left, top, right, bottom, face='S'):
    """A block with a black outline, white upper-left and grey lower-right inner edges."""
    fill(grid, left, top, right, bottom, 'K')
    fill(grid, left + 1, top + 1, right - 1, bottom - 1, 'W')
    fill(grid, left + 2, top + 2, right - 1, bottom - 1, 'G')
    fill(grid, left + 2, top + 2, right - 2, bottom - 2, face)


def plate(grid):
    raised(grid, 3, 1, 29, 47)
    # Rounded corners: the outline's corner pixels belong to the background.
    for x, y in ((3, 1), (28, 1), (3, 46), (28, 46)):
        grid[y][x] = '.'
    # The slot the lever runs in, sunken: dark upper-left edge, white lower-right edge.
    fill(grid, 12, 12, 20, 40, 'W')
    fill(grid, 12, 12, 19, 39, 'G')
    fill(grid, 13, 13, 19, 39, 'K')


def lamp(grid, lit):
    fill(grid, 13, 5, 19, 9, 'K')
    fill(grid, 14, 6, 18, 8, 'L' if lit else 'D')


def lever(grid, on):
    """The lever's knob, with its stem reaching into the slot's middle."""
    stem_top, stem_bottom = (20, 26) if on else (26, 32)
    fill(grid, 15, stem_top, 17, stem_bottom, 'G')
    knob_top = 12 if on else 28
    raised(grid, 10, knob_top, 22, knob_top + 10)
    # Grip lines across the knob.
    for y in (knob_top + 4, knob_top + 6):
        fill(grid, 12, y, 20, y + 1, 'G')


def switch(on):
    grid = canvas()
    plate(grid)
    lamp(grid, on)
    lever(grid, on)
    return [''.join(row) for row in grid]


def main():
    out = os.path.join(os.path.dirname(__file__), '..', 'resources', 'bitmaps')
    for name, on in (('SWITCH_OFF', False), ('SWITCH_ON', True)):
        rows = switch(on)
        assert (len(rows[0]), len(rows)) == (WIDTH, HEIGHT), name
        assert rows[-1][0] == '.', name
        write_bmp(os.path.join(out, name + '.bmp'), [[COLOURS[c] for c in line] for line in rows],
                  4, PALETTE16)


if __name__ == '__main__':
    main()

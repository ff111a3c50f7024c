#!/usr/bin/env python3
"""Draws the built-in bitmaps of the date edit and its drop-down calendar into resources/bitmaps/.

Run once from the repository root: python3 tools/make_dateedit_bitmaps.py
- PREV2, PREV1, NEXT1, NEXT2: the calendar's year and month buttons (double and single
  triangles, 9 x 7 and 5 x 7).
- DEDITBMP: the date edit's button, two 14 x 12 cells side by side (a calendar page, then the
  same page greyed for a disabled button).
- OBM_COMBO: the combo-box arrow of a drop-down edit button, 7 x 4.
All are 16-colour BMPs whose lower-left pixel is the transparent background.
"""
import os

from make_slider_spin_bitmaps import PALETTE16, write_bmp

# '.' teal background (transparent), K black, G grey, W white, R red, N navy.
COLOURS = {'.': 6, 'K': 0, 'G': 7, 'W': 15, 'R': 1, 'N': 4}

PREV1 = [
    ".....",
    "...K.",
    "..KK.",
    ".KKK.",
    "..KK.",
    "...K.",
    ".....",
]

PREV2 = [
    ".........",
    "...K...K.",
    "..KK..KK.",
    ".KKK.KKK.",
    "..KK..KK.",
    "...K...K.",
    ".........",
]

# A calendar page: a red band with two rings on top, a white sheet ruled into days.
PAGE = [
    "..............",
    "..K.......K...",
    ".KKKKKKKKKKKK.",
    ".KRRRRRRRRRRK.",
    ".KKKKKKKKKKKK.",
    ".KWWWWWWWWWWK.",
    ".KWNWNWNWNWWK.",
    ".KWWWWWWWWWWK.",
    ".KWNWNWNWNWWK.",
    ".KWWWWWWWWWWK.",
    ".KKKKKKKKKKKK.",
    "..............",
]

COMBO = [
    "KKKKKKK",
    ".KKKKK.",
    "..KKK..",
    "...K...",
]


def mirrored(rows):
    """The picture turned left to right."""
    return [line[::-1] for line in rows]


def greyed(rows):
    """The disabled look: the drawing in grey with a white edge one pixel down and right."""
    out = [list('.' * len(rows[0])) for _ in rows]
    for y, line in enumerate(rows):
        for x, c in enumerate(line):
            if c in 'KRN' and y + 1 < len(rows) and x + 1 < len(line):
                out[y + 1][x + 1] = 'W'
    for y, line in enumerate(rows):
        for x, c in enumerate(line):
            if c in 'KRN':
                out[y][x] = 'G'
    return [''.join(line) for line in out]


def indexes(rows):
    return [[COLOURS[c] for c in line] for line in rows]


def main():
    out = os.path.join(os.path.dirname(__file__), '..', 'resources', 'bitmaps')
    images = {
        'PREV1': PREV1,
        'PREV2': PREV2,
        'NEXT1': mirrored(PREV1),
        'NEXT2': mirrored(PREV2),
        'DEDITBMP': [a + b for a, b in zip(PAGE, greyed(PAGE))],
        'OBM_COMBO': COMBO,
    }
    sizes = {'PREV1': (5, 7), 'PREV2': (9, 7), 'NEXT1': (5, 7), 'NEXT2': (9, 7),
             'DEDITBMP': (28, 12), 'OBM_COMBO': (7, 4)}
    for name, rows in images.items():
        assert (len(rows[0]), len(rows)) == sizes[name], name
        assert rows[-1][0] == '.', name
        write_bmp(os.path.join(out, name + '.bmp'), indexes(rows), 4, PALETTE16)


if __name__ == '__main__':
    main()

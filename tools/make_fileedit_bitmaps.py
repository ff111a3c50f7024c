#!/usr/bin/env python3
"""Draws the built-in bitmap of the file and directory edits into resources/bitmaps/.

Run once from the repository root: python3 tools/make_fileedit_bitmaps.py
- FEDITBMP: the button glyph, one 14 x 12 cell: an open yellow folder.
A 16-colour BMP whose lower-left pixel is the transparent background.
"""
import os

from make_slider_spin_bitmaps import PALETTE16, write_bmp

# '.' teal background (transparent), K black, Y yellow, O olive, W white.
COLOURS = {'.': 6, 'K': 0, 'Y': 11, 'O': 3, 'W': 15}

FOLDER = [
    "..............",
    "..........K...",
    ".KKKK....K.K.K",
    "KWYWYK.....KK.",
    "KYWYWYKKKKKKK.",
    "KWYWYWYWYWYK..",
    "KYWYKKKKKKKKKK",
    "KWYKOOOOOOOOOK",
    "KYKOOOOOOOOOK.",
    "KKOOOOOOOOOK..",
    "KKKKKKKKKKK...",
    "..............",
]


def main():
    out = os.path.join(os.path.dirname(__file__), '..', 'resources', 'bitmaps')
    assert (len(FOLDER[0]), len(FOLDER)) == (14, 12)
    assert all(len(row) == 14 for row in FOLDER)
    assert FOLDER[-1][0] == '.'
    rows = [[COLOURS[c] for c in line] for line in FOLDER]
    write_bmp(os.path.join(out, 'FEDITBMP.bmp'), rows, 4, PALETTE16)


if __name__ == '__main__':
    main()

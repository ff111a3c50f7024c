#!/usr/bin/env python3
"""Draws the built-in bitmaps of the calculator and the numeric edit into resources/bitmaps/.

Run once from the repository root: python3 tools/make_calc_bitmaps.py
- CALCBTNS: the calculator dialog's key glyphs, six 16 x 16 cells in one row: cancel (a red
  cross), OK (a green tick), change sign, multiply, minus, plus.
- CEDITBMP: the numeric edit's button, two 14 x 12 cells side by side (a small calculator, then
  the same greyed for a disabled button).
All are 16-colour BMPs whose lower-left pixel is the transparent background.
"""
import os

from make_dateedit_bitmaps import greyed
from make_slider_spin_bitmaps import PALETTE16, write_bmp

# '.' teal background (transparent), K black, G grey, W white, R red, E green, N navy.
COLOURS = {'.': 6, 'K': 0, 'G': 7, 'W': 15, 'R': 9, 'E': 2, 'N': 4}

CANCEL = [
    "................",
    "................",
    "................",
    "...RR......RR...",
    "...RRR....RRR...",
    "....RRR..RRR....",
    ".....RRRRRR.....",
    "......RRRR......",
    "......RRRR......",
    ".....RRRRRR.....",
    "....RRR..RRR....",
    "...RRR....RRR...",
    "...RR......RR...",
    "................",
    "................",
    "................",
]

OK = [
    "................",
    "................",
    "................",
    "............EE..",
    "...........EEE..",
    "..........EEE...",
    ".........EEE....",
    "..EE....EEE.....",
    "..EEE..EEE......",
    "...EEEEEE.......",
    "....EEEE........",
    ".....EE.........",
    "................",
    "................",
    "................",
    "................",
]

SIGN = [
    "................",
    "................",
    "................",
    ".......KK.......",
    ".......KK.......",
    ".....KKKKKK.....",
    ".....KKKKKK.....",
    ".......KK.......",
    ".......KK.......",
    "................",
    ".....KKKKKK.....",
    ".....KKKKKK.....",
    "................",
    "................",
    "................",
    "................",
]

MULTIPLY = [
    "................",
    "................",
    "................",
    "................",
    "................",
    "....KK....KK....",
    ".....KK..KK.....",
    "......KKKK......",
    "......KKKK......",
    ".....KK..KK.....",
    "....KK....KK....",
    "................",
    "................",
    "................",
    "................",
    "................",
]

MINUS = [
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    ".....KKKKKK.....",
    ".....KKKKKK.....",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
]

PLUS = [
    "................",
    "................",
    "................",
    "................",
    ".......KK.......",
    ".......KK.......",
    ".......KK.......",
    "....KKKKKKKK....",
    "....KKKKKKKK....",
    ".......KK.......",
    ".......KK.......",
    ".......KK.......",
    "................",
    "................",
    "................",
    "................",
]

# A pocket calculator: a navy display over a white keypad of black keys.
CALCULATOR = [
    "..............",
    "..KKKKKKKKKK..",
    "..KNNNNNNNNK..",
    "..KNNNNNNNNK..",
    "..KWWWWWWWWK..",
    "..KWKWKWKWWK..",
    "..KWWWWWWWWK..",
    "..KWKWKWKWWK..",
    "..KWWWWWWWWK..",
    "..KWKWKWKWWK..",
    "..KKKKKKKKKK..",
    "..............",
]


def indexes(rows):
    return [[COLOURS[c] for c in line] for line in rows]


def main():
    out = os.path.join(os.path.dirname(__file__), '..', 'resources', 'bitmaps')
    cells = [CANCEL, OK, SIGN, MULTIPLY, MINUS, PLUS]
    images = {
        'CALCBTNS': [''.join(parts) for parts in zip(*cells)],
        'CEDITBMP': [a + b for a, b in zip(CALCULATOR, greyed(CALCULATOR))],
    }
    sizes = {'CALCBTNS': (96, 16), 'CEDITBMP': (28, 12)}
    for name, rows in images.items():
        assert (len(rows[0]), len(rows)) == sizes[name], name
        assert rows[-1][0] == '.', name
        write_bmp(os.path.join(out, name + '.bmp'), indexes(rows), 4, PALETTE16)


if __name__ == '__main__':
    main()

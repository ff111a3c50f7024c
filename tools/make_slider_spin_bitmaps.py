#!/usr/bin/env python3
"""Draws the built-in bitmaps of the slider and the spin button into resources/bitmaps/.

Run once from the repository root: python3 tools/make_slider_spin_bitmaps.py
The slider pictures are 16-colour BMPs (a two-frame thumb and a groove per orientation), the
spin glyphs 6 x 6 monochrome BMPs. Every picture keeps its lower-left pixel the transparent
background.
"""
import os
import struct

# The standard 16 colours, index -> (r, g, b).
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Letters used in the drawings below.
COLOURS = {'.': 6, 'K': 0, 'G': 7, 'S': 8, 'W': 15}  # '.' = teal background


def write_bmp(path, rows, bits, palette):
    """rows: top row first, each a list of palette indexes."""
    height, width = len(rows), len(rows[0])
    stride = ((width * bits + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # BMP rows run bottom-up
        line = bytearray(stride)
        for x, index in enumerate(row):
            if bits == 4:
                line[x // 2] |= index << (0 if x % 2 else 4)
            else:
                line[x // 8] |= index << (7 - x % 8)
        pixels += line
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(pixels), 3780, 3780,
                       len(palette), 0)
    with open(path, 'wb') as f:
        f.write(header + info + colours + pixels)


def indexes(drawing):
    return [[COLOURS[c] for c in line] for line in drawing]


# Horizontal thumb frame, 9 x 17: a raised block that points down.
H_THUMB = [
    "WWWWWWWWK",
    "WSSSSSSGK",
    "WSSSSSSGK",
    "WSSSSSSGK",
    "WSSSSSSGK",
    "WSSSSSSGK",
    "WSSSSSSGK",
    "WSSSSSSGK",
    "WSSSSSSGK",
    "WSSSSSSGK",
    "WSSSSSSGK",
    "WSSSSSSGK",
    ".WSSSSGK.",
    "..WSSGK..",
    "...WGK...",
    "....K....",
    ".........",
]


def pressed(frame):
    """The second frame: the face is a silver and white checkerboard."""
    out = []
    for y, line in enumerate(frame):
        out.append(''.join('W' if c == 'S' and (x + y) % 2 else c for x, c in enumerate(line)))
    return out


def transpose(frame):
    return [''.join(frame[y][x] for y in range(len(frame))) for x in range(len(frame[0]))]


# Vertical thumb frame, 19 x 9: the horizontal one made two pixels longer and turned to point
# right (its light edge on top), with the lower-left corner cut so that it stays background.
def v_thumb(frame):
    longer = frame[:2] + [frame[1]] * 2 + frame[2:]
    rows = transpose(longer)
    rows[-1] = "." + rows[-1][1:]
    return rows


# Rulers: a sunken groove 4 pixels thick, the first and last 2 pixels being the ends.
H_RULER = [
    "..........",
    "..........",
    "GGGGGGGGGW",
    "GKKKKKKKSW",
    "GKSSSSSSSW",
    "GSSSSSSSSW",
    "WWWWWWWWWW",
    "..........",
]

V_RULER = [
    "..GGGGW.",
    "..GKKSW.",
    "..GKSSW.",
    "..GKSSW.",
    "..GKSSW.",
    "..GKSSW.",
    "..GKSSW.",
    "..GKSSW.",
    "..GSSSW.",
    "..WWWWW.",
]

# Monochrome arrow glyphs, 6 x 6: '#' black, ' ' white (white is a monochrome bitmap's
# transparent colour).
SPIN_UP = ["      ", "  ##  ", " #### ", "######", "      ", "      "]
SPIN_DOWN = ["      ", "######", " #### ", "  ##  ", "      ", "      "]


def main():
    out = os.path.join(os.path.dirname(__file__), '..', 'resources', 'bitmaps')
    h_frames = [H_THUMB, pressed(H_THUMB)]
    h_thumb = [a + b for a, b in zip(*h_frames)]
    v_normal = v_thumb(H_THUMB)
    v_frames = [v_normal, pressed(v_normal)]
    v_thumb_rows = [a + b for a, b in zip(*v_frames)]
    images = {
        'W95_HTB': h_thumb, 'W95_HRL': H_RULER, 'W95_VTB': v_thumb_rows, 'W95_VRL': V_RULER,
    }
    sizes = {'W95_HTB': (18, 17), 'W95_HRL': (10, 8), 'W95_VTB': (38, 9), 'W95_VRL': (8, 10)}
    for name, rows in images.items():
        assert (len(rows[0]), len(rows)) == sizes[name], name
        assert rows[-1][0] == '.', name
        write_bmp(os.path.join(out, name + '.bmp'), indexes(rows), 4, PALETTE16)
    mono = [(0, 0, 0), (255, 255, 255)]
    for name, rows in {'RXSPINUP': SPIN_UP, 'RXSPINDOWN': SPIN_DOWN}.items():
        bits = [[0 if c == '#' else 1 for c in line] for line in rows]
        write_bmp(os.path.join(out, name + '.bmp'), bits, 1, mono)


if __name__ == '__main__':
    main()

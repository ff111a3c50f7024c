#!/usr/bin/env python3
"""Draws the two skins shipped with the program into resources/SKINS/<name>/.

Run from the repository root:  python3 tools/make_skins.py

"Amber": a complete skin that names every section of skin.ini: a warm bronze face with amber
display fields, its own title bar, channel, option, title-bar and tool-button pictures and slider
bitmaps. "Mini": a skin of one section, "MainForm" with its background only; every other control
takes the loader's defaults (placed at 0,0 with no size), so the panel is a bare 198x100 plate.
Amber names some pictures in another letter case than their files: skins come from systems that
ignore case. Pictures are written as 24-bit BMP files; only the standard library
is used. The places of the fields follow the panel's layout (src/viewer/PanelGeometry.h).
"""
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources', 'SKINS')

# --- Colours (r, g, b)
FACE_TOP = (112, 74, 38)
FACE_BOTTOM = (64, 40, 20)
EDGE = (24, 14, 6)
RIM = (176, 128, 72)
FIELD = (30, 18, 6)
AMBER = (255, 176, 48)
AMBER_DIM = (150, 96, 24)
WELL = (44, 28, 12)
KEY = (255, 0, 255)  # the transparent colour of glyphs (their lower-left pixel)


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x, y, w, h, colour):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.put(xx, yy, colour)

    def frame(self, x, y, w, h, light, dark):
        for xx in range(x, x + w):
            self.put(xx, y, light)
            self.put(xx, y + h - 1, dark)
        for yy in range(y, y + h):
            self.put(x, yy, light)
            self.put(x + w - 1, yy, dark)

    def vgradient(self, x, y, w, h, top, bottom):
        for yy in range(h):
            t = yy / max(h - 1, 1)
            colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            self.fill(x, y + yy, w, 1, colour)

    def field(self, x, y, w, h, colour=FIELD):
        """A recessed field: dark upper-left edge, light lower-right edge."""
        self.fill(x, y, w, h, colour)
        self.frame(x - 1, y - 1, w + 2, h + 2, EDGE, RIM)

    def triangle(self, cx, cy, size, up, colour):
        for row in range(size):
            half = row if up else size - 1 - row
            self.fill(cx - half, cy - size // 2 + row, 2 * half + 1, 1, colour)

    def save(self, path):
        stride = (self.width * 3 + 3) & ~3
        data = bytearray()
        for row in reversed(self.pixels):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            data += line + bytes(stride - len(line))
        header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 24, 0, len(data),
                           2835, 2835, 0, 0)
        with open(path, 'wb') as out:
            out.write(header + info + data)


def amber_background():
    c = Canvas(409, 161)
    c.vgradient(0, 0, 409, 161, FACE_TOP, FACE_BOTTOM)
    c.frame(0, 0, 409, 161, RIM, EDGE)
    c.field(6, 27, 56, 32)          # channel number
    c.field(131, 26, 150, 34)       # frequency
    c.field(298, 27, 104, 33)       # standard and input
    c.field(24, 72, 122, 16, WELL)  # master volume
    for i in range(5):              # picture sliders
        c.field(157 + 22 * i, 69, 18, 53, WELL)
    c.field(278, 67, 126, 92, WELL)  # options
    return c


def amber_caption():
    c = Canvas(401, 21)
    c.vgradient(0, 0, 401, 21, (72, 44, 18), (40, 24, 8))
    c.frame(0, 0, 401, 21, RIM, EDGE)
    return c


def arrow_button(up, state):
    face = {'normal': (96, 62, 28), 'hover': (140, 92, 40), 'pressed': (60, 38, 16)}[state]
    c = Canvas(24, 19, face)
    light, dark = (RIM, EDGE) if state != 'pressed' else (EDGE, RIM)
    c.frame(0, 0, 24, 19, light, dark)
    c.triangle(12, 9, 6, up, AMBER if state != 'normal' else AMBER_DIM)
    return c


def small_arrow(up):
    c = Canvas(12, 12, (40, 24, 8))
    c.triangle(6, 6, 5, up, AMBER)
    return c


def title_image(kind):
    c = Canvas(16, 16, (56, 34, 14))
    c.frame(0, 0, 16, 16, RIM, EDGE)
    if kind == 'close':
        for i in range(4, 12):
            c.put(i, i, AMBER)
            c.put(15 - i, i, AMBER)
    elif kind == 'minimize':
        c.fill(4, 10, 8, 2, AMBER)
    elif kind == 'hide':
        c.frame(4, 4, 8, 8, AMBER, AMBER)
    else:  # roll up / down
        c.triangle(8, 8, 5, True, AMBER)
    return c


def option(on):
    c = Canvas(11, 11, WELL)
    c.frame(0, 0, 11, 11, EDGE, RIM)
    if on:
        c.fill(3, 3, 5, 5, AMBER)
    return c


def tool_glyph(kind):
    c = Canvas(16, 16, KEY)
    if kind == 'scheduler':    # a clock face
        c.frame(2, 2, 12, 12, AMBER, AMBER)
        c.fill(8, 4, 1, 5, AMBER)
        c.fill(8, 8, 4, 1, AMBER)
    elif kind == 'capture':    # a record dot
        c.fill(4, 4, 8, 8, (220, 60, 30))
    elif kind == 'channels':   # a list
        for y in (3, 7, 11):
            c.fill(2, y, 12, 2, AMBER)
    elif kind == 'settings':   # a slider knob
        c.fill(2, 7, 12, 2, AMBER_DIM)
        c.fill(6, 4, 4, 8, AMBER)
    else:                      # teletext: a page of lines
        c.frame(2, 1, 12, 14, AMBER, AMBER)
        for y in (4, 7, 10):
            c.fill(4, y, 8, 1, AMBER_DIM)
    c.put(0, 15, KEY)
    return c


def step_glyph(up):
    c = Canvas(9, 9, KEY)
    c.fill(0, 4, 9, 1, AMBER)
    if up:
        c.fill(4, 0, 1, 9, AMBER)
    return c


def slider_images():
    hthumb = Canvas(22, 16, WELL)  # two frames of 11 pixels: normal, pressed
    for frame, colour in ((0, AMBER_DIM), (1, AMBER)):
        hthumb.fill(frame * 11 + 2, 1, 7, 14, colour)
        hthumb.frame(frame * 11 + 2, 1, 7, 14, RIM, EDGE)
    vthumb = Canvas(36, 10, WELL)  # two frames of 18 pixels
    for frame, colour in ((0, AMBER_DIM), (1, AMBER)):
        vthumb.fill(frame * 18 + 1, 2, 16, 6, colour)
        vthumb.frame(frame * 18 + 1, 2, 16, 6, RIM, EDGE)
    hruler = Canvas(12, 6, WELL)
    hruler.fill(0, 2, 12, 2, EDGE)
    vruler = Canvas(6, 12, WELL)
    vruler.fill(2, 0, 2, 12, EDGE)
    return {'hthumb.bmp': hthumb, 'vthumb.bmp': vthumb, 'hruler.bmp': hruler,
            'vruler.bmp': vruler}


def place(top, left, width, height):
    return [('Top', top), ('Left', left), ('Width', width), ('Height', height)]


def font(colour, size, name='Arial', height=None):
    keys = [('FontColor', colour)]
    if height is not None:
        keys.append(('FontHeight', height))
    return keys + [('FontName', name), ('FontSize', size)]


def amber_sections():
    """Every section of skin.ini in the loader's order."""
    s = [('MainForm', [('Color', '0x402814'), ('Image', 'Images\\Back.bmp')] + place(0, 0, 411, 161)),
         ('Caption', [('Image', 'Images\\caption.BMP')] + place(0, 0, 401, 21)),
         ('GradientCaption', [('BeginColorActive', '0x301806'), ('EndColorActive', '0xFFB030'),
                              ('BeginColorUnactive', '0x201408'), ('EndColorUnactive', '0x806040'),
                              ('Style', 1)] + place(2, 2, 224, 17)),
         ('CheckBoxOn', [('Image', 'Images\\opt_on.bmp')]),
         ('CheckBoxOff', [('Image', 'Images\\opt_off.bmp')]),
         ('ChnlUpBtnDown', [('Image', 'Images\\up_pressed.bmp')]),
         ('ChnlUpMouseOver', [('Image', 'Images\\up_hover.bmp')]),
         ('ChnlDnBtnDown', [('Image', 'Images\\down_pressed.bmp')]),
         ('ChnlDnMouseOver', [('Image', 'Images\\down_hover.bmp')]),
         ('ChnlUpBtnUp', [('Image', 'Images\\up.bmp')]),
         ('ChnlDnBtnUp', [('Image', 'Images\\down.bmp')])]
    options = ['SoundOn', 'BW', 'KeepSnd', 'Topmost', 'Hints', 'TaskBarBtn']
    for i, name in enumerate(options):
        s.append((name, place(70 + 15 * i, 282, 11, 11)))
    s += [('ChnlUp', place(24, 67, 24, 19)), ('ChnlDn', place(44, 67, 24, 19))]
    for name, left, picture in (('Minimize', 347, 'minimize'), ('Hide', 364, 'hide'),
                                ('Close', 381, 'close'), ('Expand', 330, 'roll')):
        s.append((name, [('Image', 'Images\\%s.bmp' % picture)] + place(3, left, 16, 16)))
    s += [('ChnlUpC', [('Image', 'Images\\mini_up.bmp')] + place(5, 297, 12, 12)),
          ('ChnlDnC', [('Image', 'Images\\mini_down.bmp')] + place(5, 311, 12, 12))]
    tools = [('ButtonCapture', 52, 'capture'), ('ButtonChannels', 78, 'channels'),
             ('ButtonScheduler', 26, 'scheduler'), ('ButtonSettings', 202, 'settings'),
             ('ButtonTeletext', 228, 'teletext')]
    for name, left, glyph in tools:
        s.append((name, [('Image', 'Images\\tool_%s.bmp' % glyph)] + place(140, left, 24, 19)
                  + [('Flat', 1)]))
    s.append(('ButtonFullscreen', place(140, 110, 84, 19) + [('Flat', 1)]
              + font('0xFFB030', 8)))
    s += [('ButtonFreqUp', [('Image', 'Images\\step_up.bmp')] + place(101, 123, 20, 20)
           + [('Flat', 1)]),
          ('ButtonFreqDn', [('Image', 'Images\\step_down.bmp')] + place(101, 8, 20, 20)
           + [('Flat', 1)])]
    ruler = [('ImageHRuler', 'Images\\hruler.bmp'), ('ImageVRuler', 'Images\\vruler.bmp'),
             ('ImageHThumb', 'Images\\hthumb.bmp'), ('ImageVThumb', 'Images\\vthumb.bmp')]
    vertical = ['SliderVolume', 'SliderBrightness', 'SliderContrast', 'SliderHue',
                'SliderSaturation']
    for i, name in enumerate(vertical):
        s.append((name, [('Orientation', 1)] + ruler + place(69, 157 + 22 * i, 18, 53)
                  + [('Color', '0x2C1C0C')]))
    s.append(('SliderCVolume2', [('Orientation', 0)] + ruler + place(3, 228, 66, 16)
              + [('Color', '0x301806')]))
    s.append(('SliderCVolume', [('Orientation', 0)] + ruler + place(72, 24, 122, 16)
              + [('Color', '0x2C1C0C')]))
    s.append(('LabelCnlName', place(4, 6, 218, 13) + [('Color', '0x301806')]
              + font('0xFFE0A0', 8)))
    labels = ['LabelSoundOn', 'LabelBW', 'LabelKeepSnd', 'LabelTopmost', 'LabelHints',
              'LabelTaskbar']
    for i, name in enumerate(labels):
        s.append((name, place(69 + 15 * i, 297, 104, 13) + [('Color', '0x2C1C0C')]
                  + font('0xFFD090', 8)))
    s.append(('LabelFreq', place(26, 131, 150, 34) + [('Color', '0x1E1206')]
              + font('0xFFB030', 20, 'Monospace', -28)))
    displays = [('LabelCnlNum', place(27, 6, 56, 32), 16, 'Monospace'),
                ('LabelSource', place(44, 298, 104, 16), 9, 'Arial'),
                ('LabelSystem', place(27, 298, 104, 16), 9, 'Arial')]
    for name, where, size, face in displays:
        s.append((name, where + [('Color', '0x1E1206'), ('ShadowColor', '0x503008'),
                                 ('ShadowPos', 2), ('ShadowSize', 1)] + font('0xFFB030', size, face)))
    s.append(('CnlSwitch', [('Orientation', 0)] + place(33, 95, 28, 20)))
    s.append(('FreqSpin', place(101, 30, 91, 20) + [('Color', '0x1E1206'), ('ButtonKind', 0),
                                                  ('Ctl3D', 0), ('BorderStyle', 0)]
              + font('0xFFB030', 10, 'Monospace')))
    return s


def amber_images():
    images = {'Back.bmp': amber_background(), 'Caption.bmp': amber_caption(),
              'opt_on.bmp': option(True), 'opt_off.bmp': option(False),
              'mini_up.bmp': small_arrow(True), 'mini_down.bmp': small_arrow(False),
              'step_up.bmp': step_glyph(True), 'step_down.bmp': step_glyph(False)}
    for up, name in ((True, 'up'), (False, 'down')):
        images[name + '.bmp'] = arrow_button(up, 'normal')
        images[name + '_hover.bmp'] = arrow_button(up, 'hover')
        images[name + '_pressed.bmp'] = arrow_button(up, 'pressed')
    for kind in ('minimize', 'hide', 'close', 'roll'):
        images[kind + '.bmp'] = title_image(kind)
    for kind in ('scheduler', 'capture', 'channels', 'settings', 'teletext'):
        images['tool_%s.bmp' % kind] = tool_glyph(kind)
    images.update(slider_images())
    return images


def mini_background():
    """The whole of the small panel: 200x100, of which the panel shows 198 columns."""
    c = Canvas(200, 100)
    c.vgradient(0, 0, 200, 100, (70, 80, 60), (30, 36, 26))
    c.frame(0, 0, 198, 100, (140, 160, 120), (10, 12, 8))
    c.fill(6, 20, 186, 2, (140, 160, 120))
    for i in range(5):
        c.field(20 + 34 * i, 40, 24, 40, (20, 24, 16))
    return c


def write_ini(path, sections):
    lines = []
    for name, keys in sections:
        lines.append('[%s]' % name)
        lines += ['%s=%s' % (key, value) for key, value in keys]
        lines.append('')
    with open(path, 'w', newline='\r\n') as out:
        out.write('\n'.join(lines))


def main():
    amber = os.path.join(ROOT, 'Amber')
    os.makedirs(os.path.join(amber, 'Images'), exist_ok=True)
    for name, canvas in amber_images().items():
        canvas.save(os.path.join(amber, 'Images', name))
    write_ini(os.path.join(amber, 'skin.ini'), amber_sections())

    mini = os.path.join(ROOT, 'Mini')
    os.makedirs(mini, exist_ok=True)
    mini_background().save(os.path.join(mini, 'back.bmp'))
    write_ini(os.path.join(mini, 'skin.ini'), [('MainForm', [('Image', 'back.bmp')])])


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Draws the main panel's built-in look (used when no skin is chosen) into resources/bitmaps/.

Run from the repository root:  python3 tools/make_panel_art.py

The panel is a dark graphite face with recessed display fields in the colour of an unlit LCD,
flat wells for the sliders and the options, cyan accents. Every picture that stands on the face
is cut out of one composed scene, so that its corners carry exactly the pixels behind it (the
panel's pictures are transparent only where they match their lower-left pixel). The places of
the fields must match the panel's layout (src/viewer/VyxuLayout*.cpp, PanelGeometry.h).

Pictures written (PNG):
  PANEL_BACK 409x161 (background, Image2), PANEL_CAPTION 401x21 (title bar, Image1),
  PANEL_CHUP_N/H/P, PANEL_CHDN_N/H/P 24x19 (channel buttons: normal, hover, pressed),
  PANEL_MINIUP, PANEL_MINIDN 12x12 (channel images of the rolled-up panel),
  PANEL_ROLL, PANEL_MINIMIZE, PANEL_HIDE, PANEL_CLOSE 16x16 (title-bar images),
  PANEL_OPT_ON, PANEL_OPT_OFF 11x11 (option glyphs),
  PANEL_TOOL_SCHEDULER/CAPTURE/CHANNELS/SETTINGS/TELETEXT 16x16 with alpha (tool buttons),
  PANEL_FREQ_DN, PANEL_FREQ_UP 9x9 (glyphs of the -0.01/+0.01 buttons, magenta background),
  PANEL_HTHUMB 22x16, PANEL_HRULER 12x6, PANEL_VTHUMB 36x10, PANEL_VRULER 6x12 (slider
  bitmaps; the thumbs hold two frames, normal and pressed; their background is the well colour).
The resource file resources/viewer_panel.qrc that lists them is written too. Only the standard
library is used.
"""
import math
import os
import struct
import zlib

RESOURCES = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'resources')
OUT = os.path.join(RESOURCES, 'bitmaps')
WRITTEN = []

# --- Colours (r, g, b)
FACE_TOP = (60, 66, 77)
FACE_BOTTOM = (37, 41, 48)
EDGE = (9, 10, 13)
RIM = (96, 105, 118)
TITLE_TOP = (20, 23, 28)       # flat: the mini volume slider stands on it
TITLE_BOTTOM = TITLE_TOP
WELL = (25, 28, 33)          # slider wells and the options field: the sliders' Color
LCD_TOP = (14, 30, 35)
LCD_BOTTOM = (6, 15, 18)
SHADE = (10, 11, 14)         # sunken edge, top and left
LIGHT = (84, 92, 104)        # sunken edge, bottom and right
CYAN = (40, 214, 232)
CYAN_DEEP = (0, 150, 170)
GLYPH = (186, 198, 212)
ICON = (118, 132, 148)
KEY = (255, 0, 255)

# --- Geometry (keep in step with src/viewer/PanelGeometry.h)
W, H = 409, 161
CAPTION_W, TITLE_H = 401, 21
LCD_CHANNEL = (4, 24, 60, 39)
LCD_FREQUENCY = (127, 24, 160, 39)
LCD_SYSTEM = (291, 24, 114, 39)
CH_UP = (67, 24, 24, 19)
CH_DOWN = (67, 44, 24, 19)
VOLUME_WELL = (4, 66, 147, 28)
TUNE_WELL = (4, 98, 147, 26)
SLIDER_WELL = (154, 66, 114, 70)
SLIDER_LANES = [157 + 22 * i for i in range(5)]   # left edges of the 18-pixel sliders
SLIDER_ICON_Y = 124
OPTION_WELL = (274, 66, 131, 93)
TOOL_RULE_Y = 138
MINI_UP = (297, 5, 12, 12)
MINI_DOWN = (311, 5, 12, 12)
TITLE_IMAGES = {'ROLL': 330, 'MINIMIZE': 347, 'HIDE': 364, 'CLOSE': 381}
TITLE_IMAGE_Y = 3


# ------------------------------------------------------------------------------------------
# A small anti-aliased rasteriser: shapes are inside-tests sampled 4 x 4 times per pixel.

SS = 4
OFFSETS = [(i + 0.5) / SS for i in range(SS)]


class Image:
    def __init__(self, w, h, colour=(0, 0, 0), alpha=1.0):
        self.w, self.h = w, h
        self.px = [[list(colour) + [alpha] for _ in range(w)] for _ in range(h)]

    def blend(self, x, y, colour, a):
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        p = self.px[y][x]
        out_a = a + p[3] * (1 - a)
        if out_a <= 0:
            return
        for i in range(3):
            p[i] = (colour[i] * a + p[i] * p[3] * (1 - a)) / out_a
        p[3] = out_a

    def shape(self, inside, box, paint, alpha=1.0):
        """Fills where inside(x, y) holds (continuous coordinates) with paint(x, y) -> colour."""
        x0, y0, x1, y1 = (max(0, int(math.floor(box[0]))), max(0, int(math.floor(box[1]))),
                          min(self.w, int(math.ceil(box[2]))), min(self.h, int(math.ceil(box[3]))))
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = sum(1 for oy in OFFSETS for ox in OFFSETS if inside(x + ox, y + oy))
                if hits:
                    colour = paint(x + 0.5, y + 0.5) if callable(paint) else paint
                    self.blend(x, y, colour, alpha * hits / (SS * SS))

    def crop(self, x, y, w, h):
        out = Image(w, h)
        out.px = [[list(self.px[y + j][x + i]) for i in range(w)] for j in range(h)]
        return out

    def paste(self, other, x, y):
        for j in range(other.h):
            for i in range(other.w):
                p = other.px[j][i]
                self.blend(x + i, y + j, p[:3], p[3])

    def save_png(self, name, alpha=False):
        raw = bytearray()
        for row in self.px:
            raw.append(0)
            for p in row:
                c = [max(0, min(255, int(round(v)))) for v in p[:3]]
                raw += bytes(c)
                if alpha:
                    raw.append(max(0, min(255, int(round(p[3] * 255)))))

        def chunk(kind, data):
            body = kind + data
            return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))

        header = struct.pack('>IIBBBBB', self.w, self.h, 8, 6 if alpha else 2, 0, 0, 0)
        png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
               chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))
        with open(os.path.join(OUT, name + '.png'), 'wb') as f:
            f.write(png)
        WRITTEN.append(name + '.png')


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def vertical(top, bottom, y0, y1):
    return lambda x, y: mix(top, bottom, (y - y0) / max(1e-6, y1 - y0))


# Inside-tests.
def in_rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def in_round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def in_circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in <= (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def in_polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def in_segment(x0, y0, x1, y1, width):
    half = width / 2.0
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy or 1e-9

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= half * half
    return inside


def bounds(points, pad=1):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad)


# Drawing helpers.
def round_rect(img, rect, r, paint, alpha=1.0):
    x, y, w, h = rect
    img.shape(in_round_rect(x, y, x + w, y + h, r), (x, y, x + w, y + h), paint, alpha)


def frame(img, rect, r, colour, alpha=1.0):
    """A one-pixel outline just inside rect."""
    x, y, w, h = rect
    outer = in_round_rect(x, y, x + w, y + h, r)
    inner = in_round_rect(x + 1, y + 1, x + w - 1, y + h - 1, max(0, r - 1))
    img.shape(lambda px, py: outer(px, py) and not inner(px, py), (x, y, x + w, y + h), colour,
              alpha)


def sunken(img, rect, r, fill):
    """A recessed field: shade along the top and left, light along the bottom and right."""
    x, y, w, h = rect
    round_rect(img, (x, y, w, h), r, LIGHT)
    round_rect(img, (x, y, w - 1, h - 1), r, SHADE)
    round_rect(img, (x + 1, y + 1, w - 2, h - 2), max(0, r - 1), fill)


def line(img, x0, y0, x1, y1, width, colour, alpha=1.0):
    pts = [(x0, y0), (x1, y1)]
    img.shape(in_segment(x0, y0, x1, y1, width), bounds(pts, width), colour, alpha)


def polygon(img, points, colour, alpha=1.0):
    img.shape(in_polygon(points), bounds(points), colour, alpha)


def circle(img, cx, cy, r, colour, alpha=1.0):
    img.shape(in_circle(cx, cy, r), (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1), colour,
              alpha)


def ring(img, cx, cy, r_out, r_in, colour, alpha=1.0):
    img.shape(in_ring(cx, cy, r_out, r_in), (cx - r_out - 1, cy - r_out - 1, cx + r_out + 1,
                                             cy + r_out + 1), colour, alpha)


def triangle(img, box, up, colour):
    x, y, w, h = box
    pts = [(x + w / 2, y), (x + w, y + h), (x, y + h)] if up else \
          [(x, y), (x + w, y), (x + w / 2, y + h)]
    polygon(img, pts, colour)


# ------------------------------------------------------------------------------------------
# The scene

def draw_title_band(img):
    img.shape(in_rect(0, 0, W, TITLE_H), (0, 0, W, TITLE_H), vertical(TITLE_TOP, TITLE_BOTTOM,
                                                                      0, TITLE_H))
    line(img, 1, 0.5, W - 1, 0.5, 1, (62, 68, 78))                    # top light
    line(img, 0, TITLE_H - 0.5, W, TITLE_H - 0.5, 1, CYAN_DEEP, 0.55)  # accent under the title


def lcd(img, rect):
    x, y, w, h = rect
    sunken(img, rect, 3, vertical(LCD_TOP, LCD_BOTTOM, y, y + h))
    # Glass: a faint lighter band over the upper third.
    round_rect(img, (x + 2, y + 2, w - 4, h // 3), 2, (120, 200, 210), 0.05)


def speaker(img, x, y, size, colour, waves=True):
    s = size / 12.0
    polygon(img, [(x + 1 * s, y + 4 * s), (x + 4 * s, y + 4 * s), (x + 8 * s, y + 0.5 * s),
                  (x + 8 * s, y + 11.5 * s), (x + 4 * s, y + 8 * s), (x + 1 * s, y + 8 * s)],
            colour)
    if waves:
        ring_arc(img, x + 8 * s, y + 6 * s, 3.2 * s, 2.2 * s, colour)
        ring_arc(img, x + 8 * s, y + 6 * s, 5.6 * s, 4.6 * s, colour, 0.7)


def ring_arc(img, cx, cy, r_out, r_in, colour, alpha=1.0):
    inside_ring = in_ring(cx, cy, r_out, r_in)
    img.shape(lambda x, y: inside_ring(x, y) and x > cx + 0.5 and abs(y - cy) < (x - cx) * 1.2,
              (cx, cy - r_out - 1, cx + r_out + 1, cy + r_out + 1), colour, alpha)


def slider_icons(img):
    """Small pictures under the five vertical sliders: volume, brightness, contrast, hue,
    saturation."""
    y = SLIDER_ICON_Y
    centres = [lane + 9 for lane in SLIDER_LANES]
    # Volume: a speaker.
    speaker(img, centres[0] - 5, y, 10, ICON, waves=False)
    ring_arc(img, centres[0] + 1.7, y + 5, 3.3, 2.3, ICON)
    # Brightness: a sun.
    cx, cy = centres[1], y + 5
    circle(img, cx, cy, 2.3, ICON)
    for k in range(8):
        a = k * math.pi / 4
        line(img, cx + 3.6 * math.cos(a), cy + 3.6 * math.sin(a), cx + 5 * math.cos(a),
             cy + 5 * math.sin(a), 1.1, ICON)
    # Contrast: a disc, half filled.
    cx = centres[2]
    ring(img, cx, cy, 4.6, 3.6, ICON)
    img.shape(lambda x, yy: (x - cx) ** 2 + (yy - cy) ** 2 <= 3.6 ** 2 and x < cx,
              (cx - 5, cy - 5, cx + 5, cy + 5), ICON)
    # Hue: a wheel of colours.
    cx = centres[3]
    hues = [(200, 80, 80), (200, 180, 70), (80, 180, 90), (70, 170, 200), (110, 100, 210),
            (190, 90, 180)]

    def hue_at(x, yy):
        a = (math.atan2(yy - cy, x - cx) + math.pi) / (2 * math.pi) * len(hues)
        i = int(a) % len(hues)
        return mix(hues[i], hues[(i + 1) % len(hues)], a - int(a))
    img.shape(in_ring(cx, cy, 4.8, 2.0), (cx - 6, cy - 6, cx + 6, cy + 6), hue_at, 0.85)
    # Saturation: a drop, grey to colour.
    cx = centres[4]
    drop = in_polygon([(cx, y - 0.2), (cx + 3.6, y + 5), (cx - 3.6, y + 5)])
    body = in_circle(cx, y + 6.2, 3.6)
    img.shape(lambda x, yy: drop(x, yy) or body(x, yy), (cx - 5, y - 1, cx + 5, y + 11),
              lambda x, yy: mix(ICON, (60, 170, 220), (x - (cx - 4)) / 8.0))


def background():
    img = Image(W, H)
    img.shape(in_rect(0, 0, W, H), (0, 0, W, H), vertical(FACE_TOP, FACE_BOTTOM, TITLE_H, H))
    draw_title_band(img)
    # Outer frame: dark edge, a light rim inside it below the title.
    frame(img, (0, 0, W, H), 0, EDGE)
    line(img, 1, TITLE_H + 0.5, W - 1, TITLE_H + 0.5, 1, RIM, 0.6)
    line(img, 1.5, TITLE_H, 1.5, H - 1, 1, RIM, 0.35)

    for rect in (LCD_CHANNEL, LCD_FREQUENCY, LCD_SYSTEM):
        lcd(img, rect)
    for rect in (VOLUME_WELL, TUNE_WELL, SLIDER_WELL, OPTION_WELL):
        sunken(img, rect, 3, WELL)
    speaker(img, VOLUME_WELL[0] + 5, VOLUME_WELL[1] + 8, 12, ICON)
    slider_icons(img)
    # An etched rule above the tool buttons.
    line(img, 6, TOOL_RULE_Y + 0.5, SLIDER_WELL[0] + SLIDER_WELL[2] - 2, TOOL_RULE_Y + 0.5, 1,
         SHADE, 0.8)
    line(img, 6, TOOL_RULE_Y + 1.5, SLIDER_WELL[0] + SLIDER_WELL[2] - 2, TOOL_RULE_Y + 1.5, 1,
         RIM, 0.35)
    return img


# --- Channel buttons

def channel_button(scene, rect, up, state):
    img = scene.crop(*rect)
    w, h = rect[2], rect[3]
    if state == 'P':
        face = vertical((28, 31, 37), (46, 51, 59), 0, h)
        ink, dy = CYAN, 1
    elif state == 'H':
        face = vertical((92, 102, 117), (56, 62, 72), 0, h)
        ink, dy = (120, 240, 250), 0
    else:
        face = vertical((76, 84, 97), (45, 50, 58), 0, h)
        ink, dy = GLYPH, 0
    round_rect(img, (0, 0, w, h), 3.5, EDGE)
    round_rect(img, (1, 1, w - 2, h - 2), 2.5, face)
    if state != 'P':
        line(img, 3, 1.5, w - 3, 1.5, 1, (140, 150, 165) if state == 'H' else (110, 120, 134),
             0.8)
    else:
        line(img, 3, 1.5, w - 3, 1.5, 1, (8, 9, 11), 0.8)
    triangle(img, (w / 2 - 5, h / 2 - 3 + dy, 10, 6), up, ink)
    return img


# --- Title bar images

def title_image(scene, x, kind):
    img = scene.crop(x, TITLE_IMAGE_Y, 16, 16)
    round_rect(img, (0, 0, 16, 16), 3.5, EDGE)
    round_rect(img, (1, 1, 14, 14), 2.5, vertical((66, 73, 85), (38, 42, 50), 1, 15))
    line(img, 3, 1.5, 13, 1.5, 1, (112, 122, 136), 0.7)
    ink = GLYPH
    if kind == 'MINIMIZE':
        line(img, 4.5, 11, 11.5, 11, 2, ink)
    elif kind == 'HIDE':
        line(img, 8, 3.5, 8, 8.5, 1.6, ink)
        polygon(img, [(4.5, 7.5), (11.5, 7.5), (8, 11)], ink)
        line(img, 4, 12.5, 12, 12.5, 1.4, ink)
    elif kind == 'CLOSE':
        red = (236, 96, 86)
        line(img, 4.8, 4.8, 11.2, 11.2, 1.8, red)
        line(img, 11.2, 4.8, 4.8, 11.2, 1.8, red)
    elif kind == 'ROLL':
        polygon(img, [(4.5, 7), (8, 3.5), (11.5, 7)], ink)
        polygon(img, [(4.5, 9), (11.5, 9), (8, 12.5)], ink)
    return img


def mini_arrow(scene, rect, up):
    img = scene.crop(*rect)
    triangle(img, (2, 3.5, 8, 5), up, CYAN)
    return img


# --- Option glyphs (LEDs on the options field)

def option_glyph(on):
    img = Image(11, 11, WELL)
    cx = cy = 5.5
    if on:
        circle(img, cx, cy, 5.4, CYAN_DEEP, 0.35)
        img.shape(in_circle(cx, cy, 4.2), (0, 0, 11, 11),
                  lambda x, y: mix((190, 252, 255), (0, 178, 200),
                                   math.hypot(x - cx + 1, y - cy + 1) / 5.0))
        ring(img, cx, cy, 4.3, 3.5, (0, 120, 140), 0.7)
    else:
        circle(img, cx, cy, 4.3, (12, 14, 17))
        img.shape(in_circle(cx, cy, 3.5), (0, 0, 11, 11),
                  lambda x, y: mix((70, 78, 90), (34, 38, 45), (y - 2) / 7.0))
    circle(img, cx - 1.3, cy - 1.5, 1.0, (255, 255, 255), 0.55 if on else 0.18)
    return img


# --- Tool glyphs (with alpha)

def tool_glyph(kind):
    img = Image(16, 16, (0, 0, 0), 0.0)
    ink = (206, 216, 228)
    if kind == 'SCHEDULER':
        ring(img, 8, 8, 6.8, 5.4, ink)
        circle(img, 8, 8, 5.4, (40, 60, 70), 0.5)
        line(img, 8, 8, 8, 4.2, 1.4, ink)
        line(img, 8, 8, 10.8, 9.6, 1.4, CYAN)
        circle(img, 8, 8, 1.0, ink)
    elif kind == 'CAPTURE':
        ring(img, 8, 8, 6.8, 5.6, ink, 0.9)
        img.shape(in_circle(8, 8, 4.6), (0, 0, 16, 16),
                  lambda x, y: mix((255, 120, 110), (200, 30, 30), math.hypot(x - 7, y - 7) / 5))
    elif kind == 'CHANNELS':
        for y in (4, 8, 12):
            circle(img, 3.2, y, 1.3, CYAN)
            line(img, 6.3, y, 13.7, y, 1.6, ink)
    elif kind == 'SETTINGS':
        teeth = []
        for k in range(16):
            a = k * math.pi / 8 + math.pi / 16
            r = 7.2 if k % 2 == 0 else 5.4
            for da in (-0.17, 0.17):
                teeth.append((8 + r * math.cos(a + da), 8 + r * math.sin(a + da)))
        gear = in_polygon(teeth)
        hole = in_circle(8, 8, 2.2)
        img.shape(lambda x, y: gear(x, y) and not hole(x, y), (0, 0, 16, 16), ink)
    elif kind == 'TELETEXT':
        round_rect(img, (1.5, 2, 13, 12), 1.5, ink)
        round_rect(img, (2.5, 3, 11, 10), 1, (30, 36, 44))
        for y in (5, 7.5):
            line(img, 4.5, y, 11.5, y, 1.2, ink, 0.9)
        for i, c in enumerate([(220, 60, 60), (70, 190, 80), (230, 200, 60), (60, 200, 220)]):
            img.shape(in_rect(3.5 + i * 2.3, 10, 5.3 + i * 2.3, 12), (0, 0, 16, 16), c)
    return img


# --- Frequency step glyphs (crisp, on the key colour)

def step_glyph(plus):
    img = Image(9, 9, KEY)
    ink = [150, 228, 238, 1.0]
    for x in range(1, 8):
        img.px[4][x] = list(ink)
    if plus:
        for y in range(1, 8):
            img.px[y][4] = list(ink)
    return img


# --- Slider bitmaps (on the well colour, which the slider's drawing leaves out)

def ruler(horizontal):
    w, h = (12, 6) if horizontal else (6, 12)
    img = Image(w, h, WELL)
    round_rect(img, (0, 0, w, h), 2.5, (70, 78, 90))          # lower-right light
    round_rect(img, (0, 0, w - 0.6, h - 0.6), 2.5, (6, 7, 9))  # the groove
    img.px[h - 1][0] = list(WELL) + [1.0]  # the slider's transparent colour
    return img


def thumb_frame(img, x, w, h, pressed, horizontal):
    top, bottom = ((150, 232, 242), (20, 120, 140)) if pressed else ((222, 228, 236),
                                                                      (112, 122, 136))
    round_rect(img, (x, 0, w, h), 3, (10, 11, 14))
    img.shape(in_round_rect(x + 1, 1, x + w - 1, h - 1, 2), (x, 0, x + w, h),
              vertical(top, bottom, 1, h - 1))
    line(img, x + 2.5, 1.5, x + w - 2.5, 1.5, 1, (255, 255, 255), 0.5)
    grip = (20, 60, 70) if pressed else CYAN_DEEP
    if horizontal:
        line(img, x + w / 2, 4, x + w / 2, h - 4, 1.6, grip)
    else:
        line(img, x + 4, h / 2, x + w - 4, h / 2, 1.6, grip)


def thumb(horizontal):
    w, h = (11, 16) if horizontal else (18, 10)
    img = Image(2 * w, h, WELL)
    thumb_frame(img, 0, w, h, False, horizontal)
    thumb_frame(img, w, w, h, True, horizontal)
    # The lower-left pixel must stay the well colour: it is the slider's transparent colour.
    img.px[h - 1][0] = list(WELL) + [1.0]
    return img


def main():
    os.makedirs(OUT, exist_ok=True)
    scene = background()
    scene.save_png('PANEL_BACK')
    scene.crop(0, 0, CAPTION_W, TITLE_H).save_png('PANEL_CAPTION')
    for rect, up, name in ((CH_UP, True, 'PANEL_CHUP'), (CH_DOWN, False, 'PANEL_CHDN')):
        for state in 'NHP':
            channel_button(scene, rect, up, state).save_png(name + '_' + state)
    mini_arrow(scene, MINI_UP, True).save_png('PANEL_MINIUP')
    mini_arrow(scene, MINI_DOWN, False).save_png('PANEL_MINIDN')
    for kind, x in TITLE_IMAGES.items():
        title_image(scene, x, kind).save_png('PANEL_' + kind)
    option_glyph(True).save_png('PANEL_OPT_ON')
    option_glyph(False).save_png('PANEL_OPT_OFF')
    for kind in ('SCHEDULER', 'CAPTURE', 'CHANNELS', 'SETTINGS', 'TELETEXT'):
        tool_glyph(kind).save_png('PANEL_TOOL_' + kind, alpha=True)
    step_glyph(False).save_png('PANEL_FREQ_DN')
    step_glyph(True).save_png('PANEL_FREQ_UP')
    thumb(True).save_png('PANEL_HTHUMB')
    ruler(True).save_png('PANEL_HRULER')
    thumb(False).save_png('PANEL_VTHUMB')
    ruler(False).save_png('PANEL_VRULER')
    write_resource_file()


def write_resource_file():
    lines = ['<!DOCTYPE RCC>', '<RCC version="1.0">',
             '  <!-- The main panel\'s built-in look (drawn by tools/make_panel_art.py), loaded by',
             '       name with panelart::Picture. -->',
             '  <qresource prefix="/bitmaps">']
    lines += ['    <file alias="%s">bitmaps/%s</file>' % (n, n) for n in sorted(WRITTEN)]
    lines += ['  </qresource>', '</RCC>', '']
    with open(os.path.join(RESOURCES, 'viewer_panel.qrc'), 'w') as f:
        f.write('\n'.join(lines))


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Draws Cinetrove's artwork with the Python standard library only.

Writes into the resource folder res/ of the project, or into the folder given
as the one argument (the test that compares the committed files with what
this script draws uses that):
  toolbar.bmp      448 x 32, 4 bpp, fourteen 32 x 32 toolbar images
  toolbar@2x.bmp   896 x 64, the same images drawn at twice the size, for
                   screens of more than 1.5 device pixels to a pixel
  cinetrove.ico    program icon, 32 x 32 and 16 x 16, 4 bpp with AND mask
  icons/cinetrove-N.png   RGBA launcher icons, N = 16 32 48 64 128 256

Run:  python3 tools/art/draw_art.py [FOLDER]   (from anywhere; paths follow the script)

Every picture is built from a few primitives.  Shapes are pixel masks
(disk, ring arc, rectangle, thick line, polygon), combined with | and -,
then painted with a fill colour and an optional outline that sits on the
mask's own border pixels.  A pixel belongs to a shape when its centre
(x + 0.5, y + 0.5) lies inside it, so coordinates are continuous.

Coordinates are given on the 32 x 32 grid of a tile; the primitives multiply
them by SCALE, so the same drawing at SCALE 2 has twice the pixels, with
smooth curves and outlines of the same weight instead of doubled pixels.
"""

import math
import os
import struct
import sys
import zlib

# --------------------------------------------------------------------------
# The sixteen classic colours, in the usual 4-bit palette order.

PALETTE = [
    (0, 0, 0),        # 0  black
    (128, 0, 0),      # 1  dark red
    (0, 128, 0),      # 2  dark green
    (128, 128, 0),    # 3  olive
    (0, 0, 128),      # 4  navy
    (128, 0, 128),    # 5  purple
    (0, 128, 128),    # 6  teal
    (192, 192, 192),  # 7  silver
    (128, 128, 128),  # 8  grey
    (255, 0, 0),      # 9  red
    (0, 255, 0),      # 10 lime
    (255, 255, 0),    # 11 yellow
    (0, 0, 255),      # 12 blue
    (255, 0, 255),    # 13 fuchsia
    (0, 255, 255),    # 14 aqua
    (255, 255, 255),  # 15 white
]
(BLACK, DKRED, DKGREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER,
 GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE) = range(16)

TILE = 32                       # toolbar image size
FACE = SILVER                   # toolbar background
SCALE = 1                       # device pixels to a pixel of the grid

# --------------------------------------------------------------------------
# Masks: sets of (x, y) pixels, clipped to the canvas when painted.


class Mask:
    def __init__(self, pixels=()):
        self.px = set(pixels)

    def __or__(self, other):
        return Mask(self.px | other.px)

    def __sub__(self, other):
        return Mask(self.px - other.px)

    def __and__(self, other):
        return Mask(self.px & other.px)

    def border(self):
        """Device pixels of the mask that touch the outside on a side."""
        out = set()
        for x, y in self.px:
            for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                if (nx, ny) not in self.px:
                    out.add((x, y))
                    break
        return Mask(out)

    def grown(self):
        """The mask plus every device pixel touching it on a side."""
        out = set(self.px)
        for x, y in self.px:
            out.update(((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)))
        return Mask(out)


def _scan(x0, y0, x1, y1, inside):
    """Mask of the pixels in the box whose centre satisfies inside(px, py)."""
    px = set()
    for y in range(int(math.floor(y0)) - 1, int(math.ceil(y1)) + 1):
        for x in range(int(math.floor(x0)) - 1, int(math.ceil(x1)) + 1):
            if inside(x + 0.5, y + 0.5):
                px.add((x, y))
    return Mask(px)


def rect(x, y, w, h):
    """Pixels x .. x+w-1, y .. y+h-1 (integer grid)."""
    k = SCALE
    return Mask((i, j) for i in range(x * k, (x + w) * k) for j in range(y * k, (y + h) * k))


def disk(cx, cy, r):
    cx, cy, r = cx * SCALE, cy * SCALE, r * SCALE
    return _scan(cx - r, cy - r, cx + r, cy + r,
                 lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r)


def ring(cx, cy, r_out, r_in, a0=0.0, a1=360.0):
    """Ring between two radii, limited to angles a0 .. a1 (degrees,
    0 = right, 90 = up, counter-clockwise)."""
    cx, cy, r_out, r_in = cx * SCALE, cy * SCALE, r_out * SCALE, r_in * SCALE

    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not r_in * r_in <= d2 <= r_out * r_out:
            return False
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360.0
        return (a - a0) % 360.0 <= (a1 - a0) % 360.0 or a1 - a0 >= 360.0
    return _scan(cx - r_out, cy - r_out, cx + r_out, cy + r_out, inside)


def line(x0, y0, x1, y1, width=1.0):
    """Thick segment with round ends: centres within width/2 of it."""
    x0, y0, x1, y1, width = x0 * SCALE, y0 * SCALE, x1 * SCALE, y1 * SCALE, width * SCALE
    h = width / 2.0
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= h * h + 1e-9
    return _scan(min(x0, x1) - h, min(y0, y1) - h,
                 max(x0, x1) + h, max(y0, y1) + h, inside)


def polygon(points):
    """Even-odd polygon fill of a list of (x, y) vertices."""
    points = [(x * SCALE, y * SCALE) for x, y in points]
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    n = len(points)

    def inside(x, y):
        c = False
        for i in range(n):
            xa, ya = points[i]
            xb, yb = points[(i + 1) % n]
            if (ya > y) != (yb > y):
                if x < xa + (y - ya) * (xb - xa) / (yb - ya):
                    c = not c
        return c
    return _scan(min(xs), min(ys), max(xs), max(ys), inside)


# A tiny 5 x 7 font: the digits.
FONT = {
    '0': ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    '1': ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    '2': ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    '3': ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    '4': ["00010", "00110", "01010", "10010", "11111", "00010", "00010"],
    '5': ["11111", "10000", "11110", "00001", "00001", "10001", "01110"],
    '6': ["00110", "01000", "10000", "11110", "10001", "10001", "01110"],
    '7': ["11111", "00001", "00010", "00100", "01000", "01000", "01000"],
    '8': ["01110", "10001", "10001", "01110", "10001", "10001", "01110"],
    '9': ["01110", "10001", "10001", "01111", "00001", "00010", "01100"],
}


def text(s, x, y, scale=1, gap=1):
    """Mask of a string in the 5 x 7 font, top-left at (x, y)."""
    x, y, scale = x * SCALE, y * SCALE, scale * SCALE
    px = set()
    for ch in s:
        for j, row in enumerate(FONT[ch]):
            for i, bit in enumerate(row):
                if bit == '1':
                    for a in range(scale):
                        for b in range(scale):
                            px.add((x + i * scale + a, y + j * scale + b))
        x += (5 + gap) * scale
    return Mask(px)


# --------------------------------------------------------------------------
# Canvas of palette indices; None means transparent.


class Canvas:
    def __init__(self, w, h, bg=None):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def put(self, mask, colour):
        for x, y in mask.px:
            if 0 <= x < self.w and 0 <= y < self.h:
                self.px[y][x] = colour

    def paint(self, mask, fill, outline=BLACK, width=1):
        """Fill a mask and draw `width` pixels of outline on its inner edge."""
        self.put(mask, fill)
        if outline is not None:
            inner = mask
            for _ in range(width * SCALE):
                edge = inner.border()
                self.put(edge, outline)
                inner = inner - edge

    def paint_out(self, mask, fill, outline=BLACK):
        """Fill a mask and outline it from outside (keeps thin points)."""
        outer = mask
        for _ in range(SCALE):
            outer = outer.grown()
        self.put(outer, outline)
        self.put(mask, fill)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                if other.px[y][x] is not None:
                    self.px[oy + y][ox + x] = other.px[y][x]

    def scaled(self, k):
        out = Canvas(self.w * k, self.h * k)
        for y in range(out.h):
            for x in range(out.w):
                out.px[y][x] = self.px[y // k][x // k]
        return out


# --------------------------------------------------------------------------
# Shared pieces.


def page(c, x, y, w, h, fold=6, fill=WHITE):
    """A sheet of paper with a dog-eared top-right corner."""
    body = polygon([(x, y), (x + w - fold, y), (x + w, y + fold),
                    (x + w, y + h), (x, y + h)])
    c.paint(body, fill)
    ear = polygon([(x + w - fold, y), (x + w - fold, y + fold), (x + w, y + fold)])
    c.paint(ear, SILVER)
    c.put(line(x + w - fold + 0.5, y + 0.5, x + w - 0.5, y + fold - 0.5), BLACK)
    c.put(rect(x + w - fold, y, 1, fold + 1), BLACK)
    c.put(rect(x + w - fold, y + fold, fold + 1, 1), BLACK)


def film_strip(c, x, y, h):
    """A vertical 7-pixel film strip with sprocket holes and blue frames."""
    c.paint(rect(x, y, 7, h), BLACK, None)
    for j in range(y + 1, y + h - 1, 3):
        c.put(rect(x + 1, j, 1, 1), WHITE)
        c.put(rect(x + 5, j, 1, 1), WHITE)
    for j in range(y + 2, y + h - 4, 6):
        c.put(rect(x + 2, j, 3, 4), AQUA)
        c.put(rect(x + 2, j + 2, 3, 2), BLUE)


def list_panel(c, x, y, w, h, rows=5, colour=BLUE):
    """A white list box with coloured rows of text."""
    c.paint(rect(x, y, w, h), WHITE)
    step = (h - 3) // rows
    for k in range(rows):
        j = y + 3 + k * step
        c.put(rect(x + 2, j, 2, 2), NAVY)                 # bullet
        c.put(rect(x + 5, j, w - 7 - (k % 2) * 3, 2), colour)


def star(cx, cy, r_out, r_in, points=5, turn=90.0):
    pts = []
    for k in range(points * 2):
        r = r_out if k % 2 == 0 else r_in
        a = math.radians(turn + k * 180.0 / points)
        pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    return polygon(pts)


def arrow_head(tip, back, half):
    """Triangle with its point at `tip`, its base centred on `back`."""
    (tx, ty), (bx, by) = tip, back
    dx, dy = tx - bx, ty - by
    n = math.hypot(dx, dy)
    nx, ny = -dy / n * half, dx / n * half
    return polygon([(tx, ty), (bx + nx, by + ny), (bx - nx, by - ny)])


def big_x(c, x0, y0, x1, y1, w=4.5):
    cross = line(x0, y0, x1, y1, w) | line(x0, y1, x1, y0, w)
    c.paint(cross, RED, DKRED)


# --------------------------------------------------------------------------
# The fourteen toolbar images, each on a 32 x 32 silver tile.


def img_show_list(c):
    film_strip(c, 2, 3, 26)
    list_panel(c, 11, 4, 19, 24)


def img_clear_list(c):
    film_strip(c, 2, 3, 26)
    list_panel(c, 11, 4, 19, 24)
    big_x(c, 9.5, 8.5, 27.5, 26.5)


def img_to_see(c):
    # Eye above a short list: "films still to be seen".
    eye = polygon([(1.5, 11.5), (6, 6), (12, 3.2), (20, 3.2), (26, 6), (30.5, 11.5),
                   (26, 17), (20, 19.8), (12, 19.8), (6, 17)])
    c.paint(eye, WHITE)
    iris = disk(16, 11.5, 6.5) & eye
    c.paint(iris, TEAL, NAVY)
    c.put(disk(16, 11.5, 3), BLACK)
    c.put(rect(17, 8, 2, 2), WHITE)                     # glint
    c.put(eye.border(), BLACK)
    # three list rows underneath
    for k, w in enumerate((20, 16, 18)):
        j = 23 + k * 3
        c.put(rect(5, j, 2, 2), NAVY)
        c.put(rect(9, j, w, 2), TEAL)


def img_top(c):
    # Podium with places 1, 2, 3 and a gold star over the winner.
    c.paint(rect(11, 14, 10, 16), YELLOW)
    c.paint(rect(2, 18, 10, 12), WHITE)
    c.paint(rect(20, 21, 10, 9), OLIVE)
    c.put(rect(12, 15, 1, 14), WHITE)
    c.put(text('1', 14, 17), BLACK)
    c.put(text('2', 5, 21), BLACK)
    c.put(text('3', 23, 22), WHITE)
    c.paint_out(star(16, 7.2, 6.4, 2.9), YELLOW)


def img_search(c):
    c.paint(line(19.5, 19.5, 27.5, 27.5, 6), DKRED)      # handle
    c.put(line(20, 20, 22, 22, 5), BLACK)                # ferrule
    c.paint(disk(13, 13, 11), BLACK, None)               # rim
    c.paint(disk(13, 13, 8.6), AQUA, TEAL)               # glass
    c.put(ring(13, 13, 6.5, 4.5, 100, 170), WHITE)       # shine


def img_count(c):
    # Counter display reading 123 above a tally of five.
    c.paint(rect(2, 2, 28, 13), GREY)
    c.paint(rect(4, 4, 24, 9), BLACK, None)
    c.put(text('123', 7, 5), LIME)
    for k in range(4):
        c.put(rect(5 + k * 5, 18, 2, 12), NAVY)
    c.put(line(3, 28, 24, 20, 3), RED)
    c.put(rect(26, 18, 2, 12), NAVY)


def img_clear_all(c):
    # Blank form with empty fields and a big eraser sweeping over it.
    c.paint(rect(2, 2, 21, 27), WHITE)
    for k in range(3):
        c.put(rect(5, 5 + k * 5, 4, 1), BLACK)
        c.paint(rect(10, 4 + k * 5, 10, 4), WHITE, GREY)
    eraser_top = polygon([(10, 24), (22, 12), (30, 20), (18, 32)])
    eraser_tip = polygon([(10, 24), (15, 19), (23, 27), (18, 32)])
    c.paint(eraser_top, BLUE)
    c.paint(eraser_tip, FUCHSIA, None)
    c.put(line(15.5, 19.5, 22.5, 26.5, 1), BLACK)
    c.put(eraser_top.border(), BLACK)
    c.put(line(18.5, 14.5, 25.5, 21.5, 1), AQUA)       # top highlight


def img_new(c):
    c.paint(rect(3, 4, 20, 26), WHITE)                  # blank page
    c.put(rect(4, 5, 1, 24), SILVER)
    c.paint_out(star(23, 9.5, 8.2, 3.6), YELLOW)
    c.put(disk(23, 10, 1.6), WHITE)


def img_modify(c):
    page(c, 3, 2, 20, 27, fold=6)
    for k in range(5):
        c.put(rect(6, 11 + k * 3, 12 - (k % 2) * 3, 1), NAVY)
    # pencil lying from top right down to the lower left
    body = polygon([(14, 24), (26.5, 6.5), (30.5, 10.5), (18, 28)])
    c.paint(body, YELLOW)
    c.put(line(16.5, 25, 28, 8.8, 1), OLIVE)
    tip = polygon([(14, 24), (18, 28), (12.5, 30.5)])
    c.paint(tip, WHITE)
    c.put(polygon([(12.5, 30.5), (13.3, 27.8), (15.3, 29.3)]), BLACK)
    cap = polygon([(26.5, 6.5), (28.5, 3.5), (32.5, 7.5), (30.5, 10.5)])
    c.paint(cap, FUCHSIA)


def img_save(c):
    body = polygon([(2, 2), (27, 2), (30, 5), (30, 30), (2, 30)])
    c.paint(body, NAVY)
    c.put(rect(3, 3, 1, 26), BLUE)
    c.paint(rect(8, 2, 16, 10), SILVER)                  # shutter
    c.put(rect(18, 4, 3, 6), NAVY)
    c.paint(rect(6, 17, 20, 13), WHITE)                  # label
    for k in range(3):
        c.put(rect(8, 20 + k * 3, 16, 1), BLUE)


def img_help(c):
    hook = ring(16, 10.5, 9.5, 4.5, -90, 180)
    end = disk(9, 10.5, 2.5)
    stem = rect(13, 16, 6, 7)
    c.paint(hook | end | stem, BLUE, BLACK)
    c.paint(disk(16, 27, 3.2), BLUE, BLACK)
    c.put(ring(16, 10.5, 8.2, 6.5, 95, 160), AQUA)        # shine


def img_about(c):
    c.paint(disk(16, 16, 14.5), BLUE, BLACK)
    c.put(ring(16, 16, 13, 11, 110, 160), AQUA)          # shine
    c.put(disk(16, 8.5, 2.2), WHITE)
    c.put(rect(11, 12, 7, 3) | rect(14, 12, 4, 12) | rect(11, 23, 10, 3), WHITE)


def img_reopen(c):
    back = polygon([(2, 9), (4, 7), (10, 7), (12, 9), (22, 9), (22, 28), (2, 28)])
    c.paint(back, OLIVE)
    front = polygon([(2, 28), (7, 15), (29, 15), (24, 28)])
    c.paint(front, YELLOW)
    c.put(line(8, 16.5, 27.5, 16.5, 1), WHITE)
    c.put(front.border(), BLACK)
    # green turn-back arrow over the folder
    c.paint(ring(24, 8.5, 7.2, 3.4, -20, 200), LIME, DKGREEN)
    c.paint(arrow_head((20.2, 15.8), (20.8, 7.6), 5), LIME, DKGREEN)


def img_exit(c):
    c.paint(rect(3, 2, 16, 28), GREY)                    # frame
    c.paint(rect(5, 4, 12, 26), BLACK, None)             # dark doorway
    door = polygon([(5, 4), (13, 7), (13, 30.5), (5, 30)])
    c.paint(door, DKRED)
    c.put(rect(11, 17, 1, 2), YELLOW)                    # knob
    c.put(rect(1, 29, 20, 1), BLACK)                     # floor line
    shaft = rect(14, 14, 10, 5)
    c.paint(shaft | arrow_head((31, 16.5), (22, 16.5), 7.5), LIME, DKGREEN)


TOOLBAR = [img_show_list, img_clear_list, img_to_see, img_top, img_search,
           img_count, img_clear_all, img_new, img_modify, img_save,
           img_help, img_about, img_reopen, img_exit]


def toolbar(scale=1):
    """The strip of the fourteen images, drawn at `scale` device pixels to a
    pixel of the grid."""
    global SCALE
    SCALE = scale
    size = TILE * scale
    strip = Canvas(size * len(TOOLBAR), size, FACE)
    for i, draw in enumerate(TOOLBAR):
        tile = Canvas(size, size, FACE)
        draw(tile)
        strip.blit(tile, i * size, 0)
    SCALE = 1
    return strip


# --------------------------------------------------------------------------
# Program icon: a film reel with film running off it.


def reel(c, s):
    """Film reel at size s (drawn for 32 and 48; details scale with s)."""
    k = s / 32.0
    h = max(1, int(round(k)))                   # one "pixel" of detail
    # film leaving the reel towards the lower right
    top, left = int(round(22 * k)), int(round(12 * k))
    c.paint(rect(left, top, s - left, s - top), BLACK, None)
    step = int(round(3 * k))
    for x in range(left + step, s - h + 1, step):
        c.put(rect(x, top + h, h, h), WHITE)
        c.put(rect(x, s - 2 * h, h, h), WHITE)
    frame_y, frame_h = top + 2 * h + 1, s - top - 4 * h - 2
    for x in range(left + 2 * step - h, s - h, 2 * step):
        c.put(rect(x, frame_y, 2 * step - 2 * h, frame_h), AQUA)
        c.put(rect(x, frame_y + frame_h // 2, 2 * step - 2 * h, (frame_h + 1) // 2), BLUE)
    # the reel itself
    cx = cy = int(13 * k) + 0.5
    r = 13.4 * k
    c.paint(disk(cx, cy, r), SILVER, BLACK, width=h)
    c.put(ring(cx, cy, r - 1.4 * k, r - 3 * k, 105, 165), WHITE)
    for a in range(90, 450, 72):
        ax = math.floor(cx + 7.4 * k * math.cos(math.radians(a))) + 0.5
        ay = math.floor(cy - 7.4 * k * math.sin(math.radians(a))) + 0.5
        c.paint(disk(ax, ay, 3.4 * k), NAVY, BLACK)
    c.paint(disk(cx, cy, 2.6 * k), GREY, BLACK)
    c.put(rect(int(cx), int(cy), 1, 1), WHITE)


def reel16(c):
    """Hand-tuned 16 x 16 reel."""
    c.paint(rect(7, 10, 9, 6), BLACK, None)
    for x in (9, 12, 15):
        c.put(rect(x, 10, 1, 1) | rect(x, 15, 1, 1), WHITE)
    c.put(rect(13, 12, 2, 2) | rect(10, 12, 2, 2), AQUA)
    c.paint(disk(7, 7, 7), SILVER, BLACK)
    for hx, hy in ((6, 2), (10, 5), (9, 9), (3, 9), (2, 5)):
        c.put(rect(hx, hy, 2, 2), NAVY)
    c.put(rect(6, 6, 2, 2), BLACK)
    c.put(rect(3, 3, 1, 1) | rect(4, 2, 1, 1) | rect(2, 4, 1, 1), WHITE)


def icon(size):
    c = Canvas(size, size)
    if size == 16:
        reel16(c)
    else:
        reel(c, size)
    return c


# --------------------------------------------------------------------------
# File writers.


def _nibbles(row):
    """Pack a row of palette indices (None -> 0) at 4 bits, padded to 4 bytes."""
    vals = [0 if v is None else v for v in row]
    if len(vals) % 2:
        vals.append(0)
    data = bytes((vals[i] << 4) | vals[i + 1] for i in range(0, len(vals), 2))
    return data + b'\0' * (-len(data) % 4)


def _palette_bytes():
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)


def _info_header(w, h, image_size):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, image_size,
                       2835, 2835, 16, 0)


def write_bmp(path, c):
    pixels = b''.join(_nibbles(c.px[y]) for y in range(c.h - 1, -1, -1))
    offset = 14 + 40 + 64
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(head + _info_header(c.w, c.h, len(pixels)) + _palette_bytes() + pixels)


def _ico_image(c):
    xor = b''.join(_nibbles(c.px[y]) for y in range(c.h - 1, -1, -1))
    mask = b''
    for y in range(c.h - 1, -1, -1):
        bits = 0
        row = bytearray()
        for x in range(c.w):
            bits = (bits << 1) | (1 if c.px[y][x] is None else 0)
            if x % 8 == 7:
                row.append(bits)
                bits = 0
        if c.w % 8:
            row.append(bits << (8 - c.w % 8))
        mask += bytes(row) + b'\0' * (-len(row) % 4)
    return _info_header(c.w, c.h * 2, len(xor) + len(mask)) + _palette_bytes() + xor + mask


def write_ico(path, canvases):
    images = [_ico_image(c) for c in canvases]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack('<BBBBHHII', c.w % 256, c.h % 256, 16, 0, 1, 4,
                           len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


def write_png(path, c):
    raw = bytearray()
    for row in c.px:
        raw.append(0)                                   # filter: none
        for v in row:
            raw += bytes((0, 0, 0, 0)) if v is None else bytes(PALETTE[v] + (255,))

    def chunk(kind, data):
        body = kind + data
        return struct.pack('>I', len(data)) + body + struct.pack('>I', zlib.crc32(body))
    png = (b'\x89PNG\r\n\x1a\n'
           + chunk(b'IHDR', struct.pack('>IIBBBBB', c.w, c.h, 8, 6, 0, 0, 0))
           + chunk(b'IDAT', zlib.compress(bytes(raw), 9))
           + chunk(b'IEND', b''))
    with open(path, 'wb') as f:
        f.write(png)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    res = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'res')
    write_bmp(os.path.join(res, 'toolbar.bmp'), toolbar())
    write_bmp(os.path.join(res, 'toolbar@2x.bmp'), toolbar(2))
    i32, i16 = icon(32), icon(16)
    write_ico(os.path.join(res, 'cinetrove.ico'), [i32, i16])
    icons = os.path.join(res, 'icons')
    os.makedirs(icons, exist_ok=True)
    pngs = {16: i16, 32: i32, 48: icon(48), 64: i32.scaled(2),
            128: i32.scaled(4), 256: i32.scaled(8)}
    for size, c in pngs.items():
        write_png(os.path.join(icons, 'cinetrove-%d.png' % size), c)
    return 0


if __name__ == '__main__':
    sys.exit(main())

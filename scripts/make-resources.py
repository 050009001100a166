#!/usr/bin/env python3
"""Draws the program's bitmaps, cursors and icons and writes the standard
colour styles record, then the two resource-script pieces that list them
(bitmaps.rc, cursors_icons.rc) and the standard styles piece (stdstyle.rc).

Run from anywhere: python3 scripts/make-resources.py
Standard library only; the output is the same byte for byte on every run, so
the files in resources/ can be committed and the build never runs this.
"""

import math
import os
import struct

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
RES = os.path.join(ROOT, 'resources')

# The 16 colours every 4-bit picture uses, in palette order.
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER = range(8)
GREY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(8, 16)
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Cursor and icon masks: pixels left at CLEAR show what lies below.
CLEAR = -1


def rnd(v):
    """Rounds half away from zero, the same on every machine."""
    return int(math.floor(v + 0.5)) if v >= 0 else -int(math.floor(-v + 0.5))


class Canvas:
    def __init__(self, width, height, background=WHITE):
        self.w = width
        self.h = height
        self.px = [[background] * width for _ in range(height)]

    def set(self, x, y, c):
        x, y = int(x), int(y)
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def fill_rect(self, x0, y0, x1, y1, c):
        """Fills the pixels x0..x1, y0..y1 inclusive."""
        for y in range(min(y0, y1), max(y0, y1) + 1):
            for x in range(min(x0, x1), max(x0, x1) + 1):
                self.set(x, y, c)

    def rect(self, x0, y0, x1, y1, c):
        self.line(x0, y0, x1, y0, c)
        self.line(x1, y0, x1, y1, c)
        self.line(x1, y1, x0, y1, c)
        self.line(x0, y1, x0, y0, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        if width > 1:
            self.thick_line(x0, y0, x1, y1, c, width)
            return
        x0, y0, x1, y1 = rnd(x0), rnd(y0), rnd(x1), rnd(y1)
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def thick_line(self, x0, y0, x1, y1, c, width):
        # A band of the given width around the segment between pixel centres.
        ax, ay, bx, by = x0 + 0.5, y0 + 0.5, x1 + 0.5, y1 + 0.5
        length = math.hypot(bx - ax, by - ay) or 1.0
        nx, ny = -(by - ay) / length * width / 2.0, (bx - ax) / length * width / 2.0
        self.polygon([(ax + nx, ay + ny), (bx + nx, by + ny), (bx - nx, by - ny), (ax - nx, ay - ny)],
                     c, centres=False)

    def polyline(self, points, c, width=1):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            self.line(x0, y0, x1, y1, c, width)

    def polygon(self, points, c, centres=True):
        """Fills a polygon by the even-odd rule, testing pixel centres.
        With centres set the points are pixel coordinates (their centres)."""
        if centres:
            points = [(x + 0.5, y + 0.5) for x, y in points]
        ys = [p[1] for p in points]
        for y in range(max(0, int(math.floor(min(ys)))), min(self.h, int(math.ceil(max(ys))) + 1)):
            cy = y + 0.5
            crossings = []
            for (xa, ya), (xb, yb) in zip(points, points[1:] + points[:1]):
                if (ya <= cy < yb) or (yb <= cy < ya):
                    crossings.append(xa + (cy - ya) * (xb - xa) / (yb - ya))
            crossings.sort()
            for left, right in zip(crossings[0::2], crossings[1::2]):
                for x in range(max(0, int(math.ceil(left - 0.5))), min(self.w, int(math.floor(right - 0.5)) + 1)):
                    self.set(x, y, c)

    def outline(self, points, c, width=1):
        self.polyline(points + points[:1], c, width)

    def shape(self, points, fill, edge, width=1):
        if fill is not None:
            self.polygon(points, fill)
        if edge is not None:
            self.outline(points, edge, width)

    def ellipse(self, cx, cy, rx, ry, fill=None, edge=None):
        pts = ellipse_points(cx, cy, rx, ry)
        self.shape(pts, fill, edge)

    def text(self, x, y, s, c, scale=1, bold=False, slant=0.0):
        for ch in s:
            rows = FONT.get(ch)
            if rows is None:
                x += 4 * scale
                continue
            width = len(rows[0])
            for r, row in enumerate(rows):
                shift = rnd(slant * (len(rows) - 1 - r) * scale)
                for k, bit in enumerate(row):
                    if bit == '#':
                        for a in range(scale + (1 if bold else 0)):
                            for b in range(scale):
                                self.set(x + k * scale + a + shift, y + r * scale + b, c)
            x += (width + 1) * scale + (1 if bold else 0)

    def text_width(self, s, scale=1, bold=False):
        total = 0
        for ch in s:
            rows = FONT.get(ch)
            width = len(rows[0]) if rows else 3
            total += (width + 1) * scale + (1 if bold else 0)
        return total - scale


def ellipse_points(cx, cy, rx, ry, steps=48, a0=0.0, a1=2 * math.pi):
    return [(cx + rx * math.cos(a0 + (a1 - a0) * i / steps), cy + ry * math.sin(a0 + (a1 - a0) * i / steps))
            for i in range(steps)]


def arc_points(cx, cy, rx, ry, a0, a1, steps=16):
    """Points of an arc from angle a0 to a1 (degrees, y down), both ends included."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / steps))) for i in range(steps + 1)]


# A small pixel font for the few words the pictures carry.
FONT = {
    'A': [' ### ', '#   #', '#   #', '#####', '#   #', '#   #', '#   #'],
    'B': ['#### ', '#   #', '#   #', '#### ', '#   #', '#   #', '#### '],
    'E': ['#####', '#    ', '#    ', '#### ', '#    ', '#    ', '#####'],
    'I': ['###', ' # ', ' # ', ' # ', ' # ', ' # ', '###'],
    'L': ['#    ', '#    ', '#    ', '#    ', '#    ', '#    ', '#####'],
    'P': ['#### ', '#   #', '#   #', '#### ', '#    ', '#    ', '#    '],
    'R': ['#### ', '#   #', '#   #', '#### ', '# #  ', '#  # ', '#   #'],
    'S': [' ####', '#    ', '#    ', ' ### ', '    #', '    #', '#### '],
    'T': ['#####', '  #  ', '  #  ', '  #  ', '  #  ', '  #  ', '  #  '],
    'U': ['#   #', '#   #', '#   #', '#   #', '#   #', '#   #', ' ### '],
    'V': ['#   #', '#   #', '#   #', '#   #', '#   #', ' # # ', '  #  '],
    'Y': ['#   #', '#   #', ' # # ', '  #  ', '  #  ', '  #  ', '  #  '],
    '3': ['#### ', '    #', '    #', ' ### ', '    #', '    #', '#### '],
    '2': [' ### ', '#   #', '    #', '   # ', '  #  ', ' #   ', '#####'],
    '.': [' ', ' ', ' ', ' ', ' ', ' ', '#'],
    '?': [' ### ', '#   #', '    #', '   # ', '  #  ', '     ', '  #  '],
    'x': ['     ', '     ', '#   #', ' # # ', '  #  ', ' # # ', '#   #'],
    'a': ['    ', '    ', '### ', '   #', ' ###', '#  #', ' ###'],
}
SMALL_TWO = ['## ', '  #', ' # ', '###']


# ---------------------------------------------------------------- file writers

def bmp_bytes(canvas, bits=4):
    """A BMP file of the canvas: 4 bits per pixel with the 16 colours, or 1 bit
    (index 0 black, anything else white)."""
    colours = PALETTE if bits == 4 else [(0, 0, 0), (255, 255, 255)]
    row_bytes = ((canvas.w * bits + 31) // 32) * 4
    pixels = bytearray()
    for y in range(canvas.h - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(canvas.w):
            c = canvas.get(x, y)
            if bits == 4:
                row[x // 2] |= (c & 15) << (4 if x % 2 == 0 else 0)
            elif c != BLACK:
                row[x // 8] |= 0x80 >> (x % 8)
        pixels += row
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.w, canvas.h, 1, bits, 0, len(pixels), 2835, 2835,
                       len(colours), len(colours))
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def icon_image(canvas, bits):
    """One image of an icon or cursor file: header, colours, pixels, mask."""
    colours = PALETTE if bits == 4 else [(0, 0, 0), (255, 255, 255)]
    w, h = canvas.w, canvas.h
    xor_row = ((w * bits + 31) // 32) * 4
    and_row = ((w + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for y in range(h - 1, -1, -1):
        xr, ar = bytearray(xor_row), bytearray(and_row)
        for x in range(w):
            c = canvas.get(x, y)
            if c == CLEAR:
                ar[x // 8] |= 0x80 >> (x % 8)
                continue
            if bits == 4:
                xr[x // 2] |= (c & 15) << (4 if x % 2 == 0 else 0)
            elif c == WHITE:
                xr[x // 8] |= 0x80 >> (x % 8)
        xor += xr
        mask += ar
    info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, bits, 0, len(xor) + len(mask), 0, 0,
                       len(colours), 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in colours)
    return info + palette + bytes(xor) + bytes(mask)


def ico_bytes(canvases):
    images = [icon_image(c, 4) for c in canvases]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        out += struct.pack('<BBBBHHII', c.w, c.h, 16, 0, 1, 4, len(img), offset)
        offset += len(img)
    return out + b''.join(images)


def cur_bytes(canvas, hotspot):
    img = icon_image(canvas, 1)
    out = struct.pack('<HHH', 0, 2, 1)
    out += struct.pack('<BBBBHHII', canvas.w, canvas.h, 2, 0, hotspot[0], hotspot[1], len(img), 22)
    return out + img


# ---------------------------------------------------------------- helpers for pictures

def box(c, x0, y0, x1, y1, fill=WHITE, edge=BLACK):
    c.fill_rect(x0, y0, x1, y1, fill)
    c.rect(x0, y0, x1, y1, edge)


def arrowhead(c, tip, direction, length, half, col, filled=True):
    """A triangle whose tip is at tip, pointing along direction (unit vector)."""
    tx, ty = tip
    dx, dy = direction
    bx, by = tx - dx * length, ty - dy * length
    nx, ny = -dy * half, dx * half
    pts = [(tx, ty), (bx + nx, by + ny), (bx - nx, by - ny)]
    if filled:
        c.shape(pts, col, col)
    else:
        c.line(tx, ty, bx + nx, by + ny, col)
        c.line(tx, ty, bx - nx, by - ny, col)


def rounded_path(points, radius, steps=6):
    """The polyline with every inner corner replaced by a curve of the radius."""
    out = [points[0]]
    for i in range(1, len(points) - 1):
        (ax, ay), (bx, by), (cx, cy) = points[i - 1], points[i], points[i + 1]
        la, lb = math.hypot(bx - ax, by - ay), math.hypot(cx - bx, cy - by)
        if la == 0 or lb == 0:
            continue
        r = min(radius, la / 2, lb / 2)
        p = (bx - (bx - ax) / la * r, by - (by - ay) / la * r)
        q = (bx + (cx - bx) / lb * r, by + (cy - by) / lb * r)
        for k in range(steps + 1):
            t = k / steps
            out.append(((1 - t) ** 2 * p[0] + 2 * (1 - t) * t * bx + t * t * q[0],
                        (1 - t) ** 2 * p[1] + 2 * (1 - t) * t * by + t * t * q[1]))
    out.append(points[-1])
    return out


# ---------------------------------------------------------------- patterns and swatch marks

def pattern(kind):
    c = Canvas(8, 8, WHITE)
    for y in range(8):
        for x in range(8):
            dark = {
                'dither': (x + y) % 2 == 1,
                'handles': (x + y) % 2 == 0,
                'sparse': x % 2 == 0 and y % 2 == 0,
                'grid_h': x % 2 == 0,
                'grid_dot': True,
                'grid_v': y % 2 == 0,
            }[kind]
            if dark:
                c.set(x, y, BLACK)
    return c


def transparent_mark():
    c = Canvas(14, 14, WHITE)
    c.line(1, 12, 12, 1, RED, width=2)
    return c


# ---------------------------------------------------------------- line widths and dashes

def width_sample(pixels):
    c = Canvas(56, 16, WHITE)
    top = 8 - pixels // 2
    c.fill_rect(2, top, 53, top + pixels - 1, BLACK)
    return c


def dash_sample(on, off):
    c = Canvas(56, 16, WHITE)
    x = 2
    while x <= 53:
        c.fill_rect(x, 7, min(53, x + on - 1), 8, BLACK)
        x += on + off
    return c


# ---------------------------------------------------------------- text alignment and bullets

def alignment_picture(vertical, horizontal):
    """vertical 0 top, 1 middle, 2 bottom; horizontal 0 left, 1 right, 2 centre, 3 flush."""
    c = Canvas(26, 26, WHITE)
    c.rect(3, 3, 22, 22, GREY)
    widths = [14, 9, 12] if horizontal != 3 else [16, 16, 16]
    top = {0: 5, 1: 10, 2: 15}[vertical]
    for i, w in enumerate(widths):
        left = {0: 5, 1: 21 - w, 2: 13 - w // 2, 3: 5}[horizontal]
        c.fill_rect(left, top + i * 2, left + w - 1, top + i * 2, NAVY)
    return c


def bullet_picture(kind):
    c = Canvas(26, 26, WHITE)
    for row in range(3):
        y = 5 + row * 7
        if kind == 0:
            c.fill_rect(4, y + 1, 21, y + 1, BLACK)
            continue
        if kind in (1, 2):
            c.ellipse(5.5, y + 1.5, 2.4, 2.4, fill=BLACK if kind == 2 else None, edge=BLACK)
        else:
            if kind == 4:
                c.fill_rect(3, y - 1, 7, y + 3, BLACK)
            else:
                c.rect(3, y - 1, 7, y + 3, BLACK)
        c.fill_rect(10, y + 1, 22, y + 1, BLACK)
    return c


# ---------------------------------------------------------------- line shapes

SIDE_DIRS = {0: (-1, 0), 1: (0, -1), 2: (1, 0), 3: (0, 1)}  # left, top, right, bottom


def route_picture(start_side, end_side, arcs):
    c = Canvas(26, 26, WHITE)
    a = (4, 3, 10, 9)
    b = (15, 16, 21, 22)

    def side_point(r, side):
        x0, y0, x1, y1 = r
        return {0: (x0, (y0 + y1) / 2), 1: ((x0 + x1) / 2, y0), 2: (x1, (y0 + y1) / 2),
                3: ((x0 + x1) / 2, y1)}[side]

    p0, q0 = side_point(a, start_side), side_point(b, end_side)
    sd, ed = SIDE_DIRS[start_side], SIDE_DIRS[end_side]
    p1 = (p0[0] + sd[0] * 3, p0[1] + sd[1] * 3)
    q1 = (q0[0] + ed[0] * 3, q0[1] + ed[1] * 3)
    horizontal_start, horizontal_end = sd[1] == 0, ed[1] == 0
    if horizontal_start and horizontal_end:
        x = min(p1[0], q1[0]) if start_side == end_side == 0 else (
            max(p1[0], q1[0]) if start_side == end_side == 2 else (p1[0] + q1[0]) / 2)
        middle = [(x, p1[1]), (x, q1[1])]
    elif not horizontal_start and not horizontal_end:
        y = min(p1[1], q1[1]) if start_side == end_side == 1 else (
            max(p1[1], q1[1]) if start_side == end_side == 3 else (p1[1] + q1[1]) / 2)
        middle = [(p1[0], y), (q1[0], y)]
    elif horizontal_start:
        middle = [(q1[0], p1[1])]
    else:
        middle = [(p1[0], q1[1])]
    path = [p0, p1] + middle + [q1, q0]
    clean = [path[0]]
    for p in path[1:]:
        if p != clean[-1]:
            clean.append(p)
    if arcs:
        clean = rounded_path(clean, 3.0)
    c.polyline(clean, NAVY)
    # The boxes go on top, so a route that runs behind one stays readable.
    box(c, *a, fill=SILVER)
    box(c, *b, fill=SILVER)
    return c


def line_type_picture(kind):
    c = Canvas(26, 26, WHITE)
    y = 13
    if kind == 0:
        c.line(2, y, 23, y, NAVY)
    elif kind == 1:  # comm: a zigzag in the middle
        c.polyline([(2, y), (9, y), (11, y - 5), (15, y + 5), (17, y), (23, y)], NAVY)
    elif kind == 2:  # digital: a square pulse train in the middle
        c.polyline([(2, y), (8, y), (8, y - 4), (11, y - 4), (11, y + 4), (14, y + 4), (14, y - 4),
                    (17, y - 4), (17, y), (23, y)], NAVY)
    else:  # arc
        c.polyline(arc_points(12.5, 19, 10.5, 12, 180, 360), NAVY)
    return c


# ---------------------------------------------------------------- array styles

def array_picture(vertical, angle, flags):
    c = Canvas(26, 26, WHITE)
    negative = bool(flags & 1)
    both = bool(flags & 2)
    stagger = bool(flags & 4)
    linear = bool(flags & 16)
    stem_end = bool(flags & 2) or not (flags & 8)

    def put(x, y, col=NAVY):
        if vertical:
            x, y = y, x
        c.set(x, y, col)

    def seg(x0, y0, x1, y1, col=NAVY):
        if vertical:
            c.line(y0, x0, y1, x1, col)
        else:
            c.line(x0, y0, x1, y1, col)

    def node(x, y):
        for a in range(-2, 3):
            for b in range(-2, 3):
                edge = abs(a) == 2 or abs(b) == 2
                put(x + a, y + b, BLACK if edge else AQUA)

    if linear:
        t = 13
        seg(1, t, 24, t)
        for x in (7, 14, 21):
            node(x, t)
        seg(1, t - 3, 1, t + 3)
        return c
    lean = 0 if angle == 0 else (4 if angle == 45 else -4)
    trunk = 13 if both else (8 if not negative else 18)
    direction = -1 if negative else 1
    branch = 7
    xs = [6, 12, 18] if not both or stagger else [7, 17]
    left = 3 if stem_end else 4
    seg(left, trunk, 23, trunk)
    stem_x = left if stem_end else 13
    if stem_end:
        seg(left - 2, trunk, left, trunk, BLACK)
        seg(left - 2, trunk - 2, left - 2, trunk + 2, BLACK)
    else:
        seg(stem_x, trunk, stem_x, trunk - 4 * direction, BLACK)
    for i, x in enumerate(xs):
        sides = [direction]
        if both and not stagger:
            sides = [1, -1]
        elif both and stagger:
            sides = [direction if i % 2 == 0 else -direction]
        for s in sides:
            length = branch + (3 if stagger and i % 2 == 1 and not both else 0)
            end = (x + lean, trunk + s * length)
            seg(x, trunk, end[0], end[1])
            node(end[0], end[1] + (2 * s))
    return c


# ---------------------------------------------------------------- shapes

def shape_outline(kind):
    """The outline of a shape type in the unit square, as (x, y) points."""
    if kind == 2:
        return [(0, 0), (1, 0), (1, 1), (0, 1)]
    if kind == 3:
        r = 0.22
        pts = []
        for cx, cy, a0 in ((1 - r, r, 270), (1 - r, 1 - r, 0), (r, 1 - r, 90), (r, r, 180)):
            pts += arc_points(cx, cy, r, r, a0, a0 + 90, 4)
        return pts
    if kind == 4:
        return ellipse_points(0.5, 0.5, 0.5, 0.5, 40)
    if kind == 5:
        return [(0.22, 0), (1, 0), (0.78, 1), (0, 1)]
    if kind == 6:
        return [(0.5, 0), (1, 0.5), (0.5, 1), (0, 0.5)]
    if kind == 7:
        wave = [(1 - i / 16, 0.85 + 0.12 * math.sin(2 * math.pi * i / 16)) for i in range(17)]
        return [(0, 0), (1, 0)] + wave
    if kind == 8:
        return arc_points(0.75, 0.5, 0.25, 0.5, 270, 450, 8) + arc_points(0.25, 0.5, 0.25, 0.5, 90, 270, 8)
    if kind == 9:
        return ellipse_points(0.5, 0.5, 0.46, 0.5, 40)
    if kind == 10:
        return [(0, 0.3), (0.55, 0.3), (0.55, 0), (1, 0.5), (0.55, 1), (0.55, 0.7), (0, 0.7)]
    if kind == 11:
        return [(1 - x, y) for x, y in shape_outline(10)]
    if kind == 12:
        return [(y, 1 - x) for x, y in shape_outline(10)]
    if kind == 13:
        return [(y, x) for x, y in shape_outline(10)]
    if kind == 14:
        return [(0.5, 0), (1, 1), (0, 1)]
    if kind == 15:
        return [(0, 0), (1, 0), (0.5, 1)]
    if kind == 16:
        return [(0, 0.3), (1, 0), (1, 1), (0, 1)]
    if kind == 17:
        return [(0.22, 0), (0.78, 0), (1, 1), (0, 1)]
    if kind == 18:
        return [(0, 0), (1, 0), (0.78, 1), (0.22, 1)]
    if kind == 19:
        k = 0.3
        return [(k, 0), (1 - k, 0), (1, k), (1, 1 - k), (1 - k, 1), (k, 1), (0, 1 - k), (0, k)]
    if kind == 20:
        return ([(0.15, 0), (1, 0)] + arc_points(1, 0.5, 0.15, 0.5, 270, 90, 8)[1:-1] + [(1, 1), (0.15, 1)]
                + arc_points(0.15, 0.5, 0.15, 0.5, 90, 270, 8)[1:-1])
    if kind == 21:
        return [(0.2, 0), (0.8, 0), (1, 0.5), (0.8, 1), (0.2, 1), (0, 0.5)]
    if kind == 22:
        return [(0, 0), (1, 0), (1, 0.7), (0.5, 1), (0, 0.7)]
    if kind == 23:
        return [(0, 0), (0.72, 0), (1, 0.5), (0.72, 1), (0, 1)]
    if kind == 24:
        return [(0, 0), (0.55, 0)] + arc_points(0.55, 0.5, 0.45, 0.5, 270, 450, 12)[1:-1] + [(0.55, 1), (0, 1)]
    if kind == 25:
        return ([(0, 0.5), (0.22, 0), (0.8, 0)] + arc_points(0.8, 0.5, 0.2, 0.5, 270, 450, 10)[1:-1]
                + [(0.8, 1), (0.22, 1)])
    raise ValueError(kind)


def shape_picture(kind, width=25, height=24, inset=3):
    c = Canvas(width, height, WHITE)
    w, h = width - 2 * inset - 1, height - 2 * inset - 1
    if kind in (9,):
        w = h = min(w, h)
    x0 = (width - 1 - w) / 2.0
    y0 = (height - 1 - h) / 2.0
    pts = [(x0 + x * w, y0 + y * h) for x, y in shape_outline(kind)]
    c.shape(pts, AQUA, BLACK)
    return c


# ---------------------------------------------------------------- tool palette

ARROW_POINTER = [(0, 0), (0, 16), (4, 12), (7, 19), (9, 18), (6, 11), (11, 11)]


def tool_picture(kind):
    c = Canvas(21, 21, WHITE)
    if kind == 'select':
        pts = [(x + 6, y + 1) for x, y in ARROW_POINTER]
        c.shape(pts, WHITE, BLACK)
    elif kind == 'text':
        c.text(4, 3, 'A', BLACK, scale=2, bold=True)
        c.fill_rect(3, 18, 17, 18, NAVY)
    elif kind == 'line':
        c.line(3, 17, 17, 3, BLACK, width=2)
    elif kind == 'segmented':
        box(c, 1, 2, 6, 7, SILVER)
        box(c, 14, 13, 19, 18, SILVER)
        c.polyline([(6, 4), (10, 4), (10, 15), (14, 15)], BLACK, width=1)
    elif kind == 'curve':
        box(c, 1, 2, 6, 7, SILVER)
        box(c, 14, 13, 19, 18, SILVER)
        c.polyline(rounded_path([(6, 4), (10, 4), (10, 15), (14, 15)], 4.0), BLACK)
    elif kind == 'array':
        c.line(2, 6, 18, 6, BLACK)
        c.line(10, 6, 10, 2, BLACK)
        for x in (4, 10, 16):
            c.line(x, 6, x, 12, BLACK)
            box(c, x - 2, 13, x + 2, 17, AQUA)
    return c


def command_picture(name):
    grey_back = name in ('new', 'open', 'save', 'print', 'preview', 'copy', 'paste')
    c = Canvas(16, 16, SILVER if grey_back else WHITE)

    def page(x0, y0, x1, y1):
        pts = [(x0, y0), (x1 - 3, y0), (x1, y0 + 3), (x1, y1), (x0, y1)]
        c.shape(pts, WHITE, BLACK)
        c.polyline([(x1 - 3, y0), (x1 - 3, y0 + 3), (x1, y0 + 3)], BLACK)

    def magnifier(sign):
        c.ellipse(6, 6, 4.2, 4.2, fill=WHITE, edge=BLACK)
        c.line(9, 9, 13, 13, BLACK, width=2)
        c.line(4, 6, 8, 6, BLACK)
        if sign > 0:
            c.line(6, 4, 6, 8, BLACK)

    if name == 'new':
        page(3, 1, 12, 14)
    elif name == 'open':
        c.shape([(1, 4), (5, 4), (6, 5), (12, 5), (12, 13), (1, 13)], YELLOW, BLACK)
        c.shape([(3, 8), (15, 8), (12, 13), (1, 13)], OLIVE, BLACK)
    elif name == 'save':
        c.shape([(1, 1), (14, 1), (14, 14), (3, 14), (1, 12)], NAVY, BLACK)
        c.fill_rect(4, 2, 11, 6, WHITE)
        c.fill_rect(5, 10, 11, 14, SILVER)
        c.fill_rect(9, 11, 10, 13, NAVY)
    elif name == 'print':
        c.fill_rect(4, 1, 11, 6, WHITE)
        c.rect(4, 1, 11, 6, BLACK)
        c.fill_rect(1, 6, 14, 11, SILVER)
        c.rect(1, 6, 14, 11, BLACK)
        c.set(12, 8, LIME)
        c.fill_rect(4, 11, 11, 14, WHITE)
        c.rect(4, 11, 11, 14, BLACK)
    elif name == 'preview':
        page(1, 1, 10, 14)
        c.ellipse(10, 9, 3.3, 3.3, fill=AQUA, edge=BLACK)
        c.line(12, 12, 15, 15, BLACK, width=2)
    elif name == 'cut':
        c.ellipse(4, 12, 2.3, 2.3, edge=BLACK)
        c.ellipse(11, 12, 2.3, 2.3, edge=BLACK)
        c.line(5, 10, 11, 1, BLACK)
        c.line(10, 10, 4, 1, BLACK)
    elif name == 'copy':
        page(1, 1, 9, 11)
        page(6, 4, 14, 14)
    elif name == 'paste':
        c.fill_rect(2, 2, 11, 14, OLIVE)
        c.rect(2, 2, 11, 14, BLACK)
        c.fill_rect(5, 1, 8, 3, SILVER)
        c.rect(5, 1, 8, 3, BLACK)
        page(7, 6, 14, 15)
    elif name == 'undo':
        c.polyline(arc_points(8, 9, 5, 4.5, 200, 450, 14), NAVY, width=2)
        arrowhead(c, (2, 7), (-0.3, 1), 4, 3, NAVY)
    elif name == 'zoom_in':
        magnifier(1)
    elif name == 'zoom_out':
        magnifier(-1)
    elif name == 'help':
        c.text(3, 2, '?', NAVY, scale=2)
    return c


def toggle_picture(name, mixed=False):
    if name in ('larger', 'smaller'):
        c = Canvas(9, 7, WHITE)
        if name == 'larger':
            c.shape([(4, 1), (8, 5), (0, 5)], BLACK, BLACK)
        else:
            c.shape([(0, 1), (8, 1), (4, 5)], BLACK, BLACK)
        return c
    c = Canvas(16, 16, SILVER if mixed else WHITE)
    col = GREY if mixed else BLACK
    if name == 'bold':
        c.text(3, 1, 'B', col, scale=2, bold=True)
    elif name == 'italic':
        c.text(4, 1, 'I', col, scale=2, slant=0.35)
    elif name == 'underline':
        c.text(3, 0, 'U', col, scale=2)
        c.fill_rect(2, 15, 13, 15, col)
    elif name in ('subscript', 'superscript'):
        # A large x with a small 2 below or above its right side.
        c.text(0, -1 if name == 'subscript' else 3, 'x', col, scale=2)
        top = 11 if name == 'subscript' else 1
        for r, row in enumerate(SMALL_TWO):
            for k, bit in enumerate(row):
                if bit == '#':
                    c.set(12 + k, top + r, col)
    return c


# ---------------------------------------------------------------- style dialog buttons

def shadow_kind_picture(kind):
    c = Canvas(22, 18, SILVER)
    x0, y0, x1, y1 = 5, 4, 15, 12
    if kind == 1 or kind == 2:
        light, dark = (WHITE, GREY) if kind == 1 else (GREY, WHITE)
        for i in range(1, 3):
            c.rect(x0 - i, y0 - i, x1 + i, y1 + i, light)
            c.line(x0 - i, y1 + i, x1 + i, y1 + i, dark)
            c.line(x1 + i, y0 - i, x1 + i, y1 + i, dark)
    elif kind == 3:
        for i in range(4, 0, -1):
            c.fill_rect(x0 + i, y0 + i, x1 + i, y1 + i, GREY)
    elif kind in (4, 5):
        c.fill_rect(x0 + 3, y0 + 3, x1 + 3, y1 + 3, GREY if kind == 4 else SILVER)
        if kind == 5:
            c.rect(x0 + 3, y0 + 3, x1 + 3, y1 + 3, BLACK)
    box(c, x0, y0, x1, y1, WHITE if kind != 0 else WHITE)
    if kind == 0:
        c.line(x0 - 3, y1 + 3, x1 + 3, y0 - 3, RED)
    return c


def shadow_direction_picture(sx, sy):
    c = Canvas(16, 16, SILVER)
    x0, y0 = 5, 5
    c.fill_rect(x0 + 3 * sx, y0 + 3 * sy, x0 + 6 + 3 * sx, y0 + 6 + 3 * sy, GREY)
    box(c, x0, y0, x0 + 6, y0 + 6)
    return c


# ---------------------------------------------------------------- arrowhead dialog

def draw_marker(c, kind, tip, d, size=1.0, col=BLACK):
    """One line-end marker of an arrowhead kind at tip, the line running from
    the tip along -d."""
    tx, ty = tip
    dx, dy = d
    half, length, radius = 3.0 * size, 6.0 * size, 2.2 * size
    nx, ny = -dy, dx

    def back(dist, off=0.0):
        return (tx - dx * dist + nx * off, ty - dy * dist + ny * off)

    def bar(at, h=half):
        p = back(at)
        c.line(p[0] + nx * h, p[1] + ny * h, p[0] - nx * h, p[1] - ny * h, col)

    def fork():
        b = back(length)
        c.line(b[0], b[1], tx + nx * half, ty + ny * half, col)
        c.line(b[0], b[1], tx - nx * half, ty - ny * half, col)

    if kind in (1, 17, 20, 21):
        c.shape([tip, back(length, half), back(length, -half)], col, col)
        if kind == 20:
            t2 = back(length)
            c.shape([t2, back(2 * length, half), back(2 * length, -half)], col, col)
        if kind == 21:
            bar(0)
    elif kind in (2, 18, 22):
        c.line(tx, ty, *back(length, half), col)
        c.line(tx, ty, *back(length, -half), col)
        if kind == 22:
            bar(0)
    elif kind in (3, 19):
        c.shape([tip, back(length, half), back(length / 2), back(length, -half)], col, col)
    elif kind in (4, 5):
        cx, cy = back(radius)
        c.ellipse(cx, cy, radius, radius, fill=col if kind == 4 else WHITE, edge=col)
    elif kind in (6, 7):
        cx, cy = back(radius)
        r = rnd(radius)
        x0, y0 = rnd(cx) - r, rnd(cy) - r
        c.fill_rect(x0, y0, x0 + 2 * r, y0 + 2 * r, col if kind == 6 else WHITE)
        c.rect(x0, y0, x0 + 2 * r, y0 + 2 * r, col)
    elif kind == 8:
        fork()
    elif kind == 9:
        c.line(tx - dx * half - nx * half, ty - dy * half - ny * half,
               tx + dx * half + nx * half, ty + dy * half + ny * half, col)
    elif kind == 10:
        b = back(length)
        c.shape([b, (tx + nx * half, ty + ny * half), (tx - nx * half, ty - ny * half)], col, col)
    elif kind == 11:
        c.shape([tip, back(length * 0.6, half), back(length * 1.2), back(length * 0.6, -half)], col, col)
    elif kind == 12:
        fork()
        c.line(*back(length), tx, ty, col)
        cx, cy = back(length + radius)
        c.ellipse(cx, cy, radius, radius, fill=WHITE, edge=col)
    elif kind == 13:
        fork()
        bar(length + 2)
    elif kind == 14:
        bar(0)
        cx, cy = back(length / 2 + radius)
        c.ellipse(cx, cy, radius, radius, fill=WHITE, edge=col)
    elif kind == 15:
        bar(0)
        bar(3 * size)
    elif kind == 16:
        cx, cy = back(radius)
        c.ellipse(cx, cy, radius, radius, fill=WHITE, edge=col)
        bar(2 * radius + 2)
    elif kind == 23:
        bar(0)


def arrow_kind_picture(kind, at_start):
    """A line with the kind's marker at its left end (start) or right end."""
    c = Canvas(20, 14, WHITE)
    y = 7
    x0, x1 = 2, 17
    middle = kind in (17, 18, 19)
    if at_start:
        tip = (10, y) if middle else (x0, y)
        d = (-1, 0)
    else:
        tip = (10, y) if middle else (x1, y)
        d = (1, 0)
    c.line(x0, y, x1, y, BLACK)
    if kind:
        draw_marker(c, kind, tip, d)
    return c


def displacement_picture(displaced, at_start):
    c = Canvas(28, 14, WHITE)
    y = 7
    wall = 2 if at_start else 25
    c.fill_rect(wall - (1 if at_start else 0), 2, wall + (0 if at_start else 1), 12, GREY)
    d = (-1, 0) if at_start else (1, 0)
    gap = 6 if displaced else 0
    tip = (wall - d[0] * (1 + gap), y)
    far = 25 if at_start else 2
    line_end = tip[0] - d[0] * (gap if displaced else 0)
    c.line(far, y, line_end if not displaced else tip[0] - d[0] * 6, y, BLACK)
    draw_marker(c, 1, tip, d, 1.0)
    return c


def arrow_size_picture(size):
    c = Canvas(28, 14, WHITE)
    c.line(3, 7, 24, 7, BLACK)
    draw_marker(c, 1, (24, 7), (1, 0), size=[0.6, 1.0, 1.5][size])
    return c


def spin_picture(up):
    c = Canvas(11, 7, WHITE)
    if up:
        c.shape([(5, 1), (9, 5), (1, 5)], BLACK, BLACK)
    else:
        c.shape([(1, 1), (9, 1), (5, 5)], BLACK, BLACK)
    return c


# ---------------------------------------------------------------- about box picture

def about_picture(mono):
    back = WHITE if mono else SILVER
    c = Canvas(240, 72, back)
    ink = BLACK
    title = 'TESSARY PLUS'
    scale = 3
    x = (240 - c.text_width(title, scale, bold=True)) // 2
    if not mono:
        c.text(x + 2, 6, title, GREY, scale=scale, bold=True)
    c.text(x, 4, title, NAVY if not mono else ink, scale=scale, bold=True)
    # A small network diagram under the title.
    boxes = [(40, 44, 64, 60), (108, 44, 132, 60), (176, 44, 200, 60)]
    c.line(64, 52, 108, 52, ink)
    c.polyline([(132, 52), (154, 52), (154, 38), (188, 38), (188, 44)], ink)
    for i, (x0, y0, x1, y1) in enumerate(boxes):
        fill = WHITE if mono else [AQUA, YELLOW, LIME][i]
        box(c, x0, y0, x1, y1, fill, ink)
    arrowhead(c, (108, 52), (1, 0), 5, 3, ink)
    arrowhead(c, (188, 44), (0, 1), 5, 3, ink)
    return c


# ---------------------------------------------------------------- cursors

def cursor_canvas():
    return Canvas(32, 32, CLEAR)


def draw_pointer(c, ox=0, oy=0):
    pts = [(x + ox, y + oy) for x, y in ARROW_POINTER]
    c.polygon(pts, WHITE)
    c.outline(pts, BLACK)


def cursor_arrow():
    c = cursor_canvas()
    draw_pointer(c)
    return c, (0, 0)


def cursor_help():
    c = cursor_canvas()
    draw_pointer(c)
    c.fill_rect(13, 2, 25, 16, WHITE)
    c.text(15, 3, '?', BLACK, scale=2)
    return c, (0, 0)


def four_way(c, cx, cy, reach, head):
    for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
        c.line(cx, cy, cx + dx * (reach - head), cy + dy * (reach - head), BLACK, width=2)
        arrowhead(c, (cx + dx * reach + 0.5, cy + dy * reach + 0.5), (dx, dy), head, head, BLACK)


def outline_white(c):
    """Gives every black pixel a white rim, so the cursor shows on dark paper."""
    rim = []
    for y in range(c.h):
        for x in range(c.w):
            if c.get(x, y) != CLEAR:
                continue
            near = [c.get(x + a, y + b) for a in (-1, 0, 1) for b in (-1, 0, 1)
                    if 0 <= x + a < c.w and 0 <= y + b < c.h]
            if BLACK in near:
                rim.append((x, y))
    for x, y in rim:
        c.set(x, y, WHITE)


def cursor_move_start():
    c = cursor_canvas()
    four_way(c, 15, 15, 12, 4)
    outline_white(c)
    return c, (15, 15)


def cursor_zoom(sign):
    c = cursor_canvas()
    c.ellipse(11, 11, 8, 8, fill=WHITE, edge=BLACK)
    c.line(16, 16, 25, 25, BLACK, width=3)
    c.line(7, 11, 15, 11, BLACK, width=2)
    if sign > 0:
        c.line(11, 7, 11, 15, BLACK, width=2)
    outline_white(c)
    return c, (11, 11)


def cursor_move():
    c = cursor_canvas()
    draw_pointer(c)
    small = Canvas(32, 32, CLEAR)
    four_way(small, 20, 20, 7, 3)
    outline_white(small)
    for y in range(32):
        for x in range(32):
            if small.get(x, y) != CLEAR:
                c.set(x, y, small.get(x, y))
    return c, (0, 0)


def cursor_hook():
    c = cursor_canvas()
    draw_pointer(c)
    box(c, 16, 16, 26, 26, WHITE)
    c.ellipse(16, 21, 2.5, 2.5, fill=BLACK, edge=BLACK)
    c.line(9, 21, 13, 21, BLACK)
    return c, (0, 0)


def cursor_pencil():
    c = cursor_canvas()
    c.shape([(0, 31), (4, 23), (9, 28)], WHITE, BLACK)
    c.shape([(4, 23), (20, 7), (25, 12), (9, 28)], WHITE, BLACK)
    c.shape([(20, 7), (23, 4), (28, 9), (25, 12)], BLACK, BLACK)
    c.line(0, 31, 2, 29, BLACK, width=2)
    return c, (0, 31)


def cursor_place():
    c = cursor_canvas()
    draw_pointer(c)
    for x in range(14, 28):
        for y in (16, 27):
            c.set(x, y, BLACK if x % 2 == 0 else WHITE)
    for y in range(16, 28):
        for x in (14, 27):
            c.set(x, y, BLACK if y % 2 == 0 else WHITE)
    c.fill_rect(17, 19, 24, 24, WHITE)
    c.rect(17, 19, 24, 24, BLACK)
    return c, (0, 0)


def cursor_attachment():
    c = cursor_canvas()
    draw_pointer(c)
    clip = arc_points(20, 15, 3, 3, 180, 360, 8) + arc_points(20, 25, 3, 3, 0, 180, 8)
    c.polyline(clip + [clip[0]], BLACK, width=2)
    c.line(20, 15, 20, 24, BLACK)
    outline_white(c)
    return c, (0, 0)


def cursor_rotate():
    c = cursor_canvas()
    c.polyline(arc_points(15, 15, 10, 10, 200, 340, 16), BLACK, width=2)
    c.polyline(arc_points(15, 15, 10, 10, 20, 160, 16), BLACK, width=2)
    a = arc_points(15, 15, 10, 10, 340, 340, 1)[0]
    b = arc_points(15, 15, 10, 10, 160, 160, 1)[0]
    arrowhead(c, (a[0] + 2, a[1] + 3), (0.3, 1), 6, 4, BLACK)
    arrowhead(c, (b[0] - 2, b[1] - 3), (-0.3, -1), 6, 4, BLACK)
    c.fill_rect(14, 14, 16, 16, BLACK)
    outline_white(c)
    return c, (15, 15)


# ---------------------------------------------------------------- icons

def icon_pair(draw):
    return [draw(32), draw(16)]


def icon_program(n):
    c = Canvas(n, n, CLEAR)
    s = n / 32.0
    box(c, rnd(2 * s), rnd(3 * s), rnd(13 * s), rnd(12 * s), AQUA)
    box(c, rnd(18 * s), rnd(18 * s), rnd(29 * s), rnd(28 * s), YELLOW)
    c.polyline([(rnd(13 * s), rnd(7 * s)), (rnd(23 * s), rnd(7 * s)), (rnd(23 * s), rnd(18 * s))], NAVY,
               width=2 if n == 32 else 1)
    box(c, rnd(2 * s), rnd(20 * s), rnd(11 * s), rnd(28 * s), LIME)
    c.line(rnd(7 * s), rnd(12 * s), rnd(7 * s), rnd(20 * s), NAVY)
    return c


def icon_page(n, page_colour, dashed=False, grey=False):
    c = Canvas(n, n, CLEAR)
    s = n / 32.0
    x0, y0, x1, y1 = rnd(5 * s), rnd(1 * s), rnd(26 * s), rnd(30 * s)
    fold = rnd(6 * s)
    pts = [(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)]
    c.shape(pts, page_colour, BLACK)
    c.polyline([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], BLACK)
    ink = GREY if grey else NAVY
    a = (rnd(8 * s), rnd(8 * s), rnd(15 * s), rnd(14 * s))
    b = (rnd(15 * s), rnd(19 * s), rnd(23 * s), rnd(26 * s))
    if dashed:
        for r in (a, b):
            for x in range(r[0], r[2] + 1):
                for y in (r[1], r[3]):
                    if x % 2 == 0:
                        c.set(x, y, ink)
            for y in range(r[1], r[3] + 1):
                for x in (r[0], r[2]):
                    if y % 2 == 0:
                        c.set(x, y, ink)
    else:
        box(c, *a, fill=SILVER if grey else AQUA, edge=ink)
        box(c, *b, fill=SILVER if grey else YELLOW, edge=ink)
    c.polyline([((a[0] + a[2]) // 2, a[3]), ((a[0] + a[2]) // 2, (b[1] + b[3]) // 2), (b[0], (b[1] + b[3]) // 2)],
               ink)
    return c


def icon_library(n):
    c = Canvas(n, n, CLEAR)
    s = n / 32.0
    c.shape([(rnd(3 * s), rnd(4 * s)), (rnd(28 * s), rnd(4 * s)), (rnd(28 * s), rnd(29 * s)),
             (rnd(3 * s), rnd(29 * s))], MAROON, BLACK)
    c.fill_rect(rnd(6 * s), rnd(7 * s), rnd(25 * s), rnd(26 * s), WHITE)
    cells = [(6, 7, AQUA), (16, 7, YELLOW), (6, 17, LIME), (16, 17, FUCHSIA)]
    for x, y, col in cells:
        box(c, rnd((x + 1) * s), rnd((y + 1) * s), rnd((x + 8) * s), rnd((y + 8) * s), col)
    return c


# ---------------------------------------------------------------- standard colour styles

def rgb(r, g, b):
    return r | (g << 8) | (b << 16)


NONE_COLOUR = 0xFFFFFFFF
W, K, S = rgb(255, 255, 255), rgb(0, 0, 0), rgb(192, 192, 192)
STANDARD_STYLES = [
    ("Black & White", [K, K, W, K, K, NONE_COLOUR, W], (0, 0, 0, 12)),
    ("B & W: Drop Shadow", [K, K, W, K, K, NONE_COLOUR, W], (24, 24, 4, 0)),
    ("B & W: Cont. Shadow", [K, K, W, K, K, NONE_COLOUR, W], (24, 24, 3, 0)),
    ("B & W: Offset Shadow", [K, K, W, K, K, NONE_COLOUR, W], (24, 24, 5, 0)),
    ("3D Raised", [S, S, S, S, K, S, W], (6, 6, 1, 3)),
    ("3D Sunken", [S, S, S, S, K, S, W], (6, 6, 2, 3)),
    ("Primary", [rgb(0, 0, 255), rgb(0, 0, 255), rgb(255, 0, 0), rgb(0, 0, 255), K, rgb(255, 255, 0), W],
     (0, 0, 0, 12)),
    ("Primary Shadow", [rgb(0, 0, 255), rgb(0, 0, 255), rgb(255, 0, 0), rgb(0, 0, 255), K, rgb(255, 255, 0), W],
     (24, 24, 4, 1)),
    ("Pastel Raised", [rgb(160, 160, 255), rgb(160, 160, 255), rgb(224, 224, 255), rgb(0, 0, 128),
                       rgb(0, 0, 128), rgb(224, 224, 255), W], (6, 6, 1, 1)),
    ("Pastel Sunken", [rgb(160, 160, 255), rgb(160, 160, 255), rgb(224, 224, 255), rgb(0, 0, 128),
                       rgb(0, 0, 128), rgb(224, 224, 255), W], (6, 6, 2, 1)),
    ("Evening Sky", [rgb(255, 160, 255), rgb(255, 160, 255), rgb(192, 224, 255), rgb(192, 0, 192),
                     rgb(192, 0, 192), rgb(224, 224, 255), W], (0, 0, 0, 1)),
    ("Evening Sky Shadow", [rgb(255, 160, 255), rgb(255, 160, 255), rgb(192, 224, 255), rgb(192, 0, 192),
                            rgb(192, 0, 192), rgb(224, 224, 255), W], (24, 24, 4, 1)),
    ("Blues", [W, W, rgb(0, 192, 192), W, K, rgb(0, 0, 255), W], (24, 24, 4, 1)),
    ("Sea Green", [S, S, rgb(255, 192, 128), K, K, rgb(0, 128, 128), W], (24, 24, 4, 1)),
    ("Bright", [K, K, rgb(255, 160, 255), K, rgb(0, 0, 192), rgb(192, 224, 255), W], (24, 24, 4, 1)),
    ("Forest", [rgb(0, 192, 192), rgb(0, 192, 192), rgb(192, 96, 0), K, rgb(0, 128, 128), rgb(192, 255, 224), W],
     (24, 24, 4, 1)),
    ("Color on White", [rgb(255, 96, 0), rgb(255, 96, 0), rgb(160, 224, 255), K, rgb(0, 0, 192), W, W],
     (24, 24, 4, 1)),
    ("Earth", [K, K, rgb(255, 192, 128), K, rgb(0, 128, 128), rgb(255, 255, 224), W], (24, 24, 4, 0)),
    ("Walnut", [rgb(0, 0, 128), rgb(0, 0, 128), rgb(255, 224, 192), rgb(160, 0, 0), K, rgb(160, 0, 0), W],
     (0, 0, 0, 1)),
    ("Neon", [rgb(255, 255, 0), rgb(255, 255, 0), rgb(255, 0, 255), rgb(0, 255, 0), K, rgb(160, 160, 255), W],
     (24, 24, 4, 1)),
    ("3D Pink", [S, S, rgb(255, 192, 224), K, K, rgb(224, 224, 224), W], (6, 6, 1, 1)),
    ("3D Blue", [S, S, rgb(192, 224, 255), K, K, rgb(224, 224, 224), W], (6, 6, 1, 1)),
    ("3D Violet", [S, S, rgb(160, 160, 255), K, K, rgb(224, 224, 224), W], (6, 6, 1, 1)),
    ("3D Brick", [S, S, rgb(255, 160, 160), K, K, rgb(224, 224, 224), W], (6, 6, 1, 1)),
    ("Logo", [S, S, S, rgb(128, 128, 128), K, rgb(224, 224, 224), W], (6, 6, 1, 7)),
]


def standard_styles_bytes():
    """The earlier-version styles record (group 51, id 102) the options start from."""
    entries = b''
    for name, colours, (dx, dy, kind, flags) in STANDARD_STYLES:
        raw = name.encode('ascii')
        assert len(raw) < 32
        entries += struct.pack('<7I4h', *colours, dx, dy, kind, flags) + raw.ljust(32, b'\0')
    assert len(entries) == 68 * len(STANDARD_STYLES)
    size = 16 + 4 + len(entries)
    header = struct.pack('<hhhiiH', 102, 51, 0, 0, size, 0)
    return header + struct.pack('<hh', len(STANDARD_STYLES), 0) + entries


# ---------------------------------------------------------------- the catalogue

def catalogue():
    """(id, file name, picture, bits) of every bitmap, in id order."""
    items = []

    def add(ident, name, canvas, bits=4):
        items.append((ident, name, canvas, bits))

    for ident, kind in zip(range(10001, 10007), ('dither', 'handles', 'sparse', 'grid_h', 'grid_dot', 'grid_v')):
        add(ident, 'pattern_%d_%s.bmp' % (ident, kind), pattern(kind), 1)
    add(1100, 'swatch_transparent.bmp', transparent_mark())
    for i in range(8):
        add(1203 + i, 'width_%dpt.bmp' % (i + 1), width_sample(i + 1))
    add(1302, 'dash_dotted.bmp', dash_sample(2, 2))
    add(1303, 'dash_dashed.bmp', dash_sample(6, 3))
    for base, vertical in ((620, 0), (640, 1), (630, 2)):
        for digit, horizontal in ((0, 0), (1, 1), (2, 2), (3, 3)):
            add(base + digit, 'align_%d.bmp' % (base + digit), alignment_picture(vertical, horizontal))
    for kind in range(5):
        add(650 + kind, 'bullet_%d.bmp' % (650 + kind), bullet_picture(kind))
    for code in range(1, 5):
        add(2400 + code, 'linetype_%d.bmp' % (2400 + code), line_type_picture(code - 1))
    for ident in LINE_ROUTE_IDS:
        code = ident - 2400
        add(ident, 'route_%d.bmp' % ident, route_picture((code >> 2) & 3, code & 3, bool(code & 0x20)))
    for ident, (vertical, angle, flags) in sorted(ARRAY_STYLES.items()):
        add(ident, 'array_%d.bmp' % ident, array_picture(vertical, angle, flags))
    for ident, kind in zip(range(3007, 3013), ('select', 'text', 'line', 'segmented', 'curve', 'array')):
        add(ident, 'tool_%d_%s.bmp' % (ident, kind), tool_picture(kind))
    for shape in range(2, 26):
        add(3011 + shape, 'shape_%d.bmp' % (3011 + shape), shape_picture(shape))
    for ident, name in zip(range(3215, 3222), TOGGLES):
        add(ident, 'toggle_%d_%s.bmp' % (ident, name), toggle_picture(name))
    for ident, name in zip(range(3500, 3512), COMMANDS):
        add(ident, 'command_%d_%s.bmp' % (ident, name), command_picture(name))
    for kind in range(6):
        add(4000 + kind, 'shadow_kind_%d.bmp' % kind, shadow_kind_picture(kind))
    for ident, (sx, sy) in zip(range(4010, 4014), ((1, 1), (-1, 1), (1, -1), (-1, -1))):
        add(ident, 'shadow_direction_%d.bmp' % ident, shadow_direction_picture(sx, sy))
    add(1800, 'spin_down.bmp', spin_picture(False))
    add(1801, 'spin_up.bmp', spin_picture(True))
    for kind in range(1, 24):
        add(2001 + kind, 'arrow_end_%d.bmp' % kind, arrow_kind_picture(kind, False))
    for kind in range(0, 24):
        add(2051 + kind, 'arrow_start_%d.bmp' % kind, arrow_kind_picture(kind, True))
    add(2101, 'arrow_end_normal.bmp', displacement_picture(False, False))
    add(2102, 'arrow_end_displaced.bmp', displacement_picture(True, False))
    add(2111, 'arrow_start_normal.bmp', displacement_picture(False, True))
    add(2112, 'arrow_start_displaced.bmp', displacement_picture(True, True))
    for size in range(3):
        add(2153 + size, 'arrow_size_%d.bmp' % size, arrow_size_picture(size))
    for ident, name in zip(range(13215, 13220), TOGGLES[:5]):
        add(ident, 'toggle_%d_%s_mixed.bmp' % (ident, name), toggle_picture(name, mixed=True))
    items.sort(key=lambda item: item[0])
    return items


LINE_ROUTE_IDS = [2416, 2420, 2421, 2424, 2425, 2426, 2427, 2428, 2429, 2431,
                  2432, 2436, 2437, 2440, 2441, 2442, 2443, 2444, 2445, 2447]
# Array styles: (vertical, fishbone angle, flags) by menu id.
ARRAY_STYLES = {
    1612: (0, 0, 2), 1616: (0, 0, 6), 1618: (0, 0, 8), 1622: (0, 0, 12), 1626: (0, 0, 16),
    1630: (1, 0, 0), 1631: (1, 0, 1), 1633: (1, 0, 3), 1637: (1, 0, 7), 1646: (1, 0, 16),
    1650: (0, 45, 0), 1651: (0, 45, 1), 1652: (0, 45, 2), 1656: (0, 45, 6), 1662: (0, 135, 2),
    1671: (1, 45, 1), 1673: (1, 45, 3), 1677: (1, 45, 7), 1681: (1, 135, 1), 1683: (1, 135, 3),
}
TOGGLES = ['bold', 'italic', 'underline', 'subscript', 'superscript', 'larger', 'smaller']
COMMANDS = ['new', 'open', 'save', 'print', 'preview', 'cut', 'copy', 'paste', 'undo', 'zoom_in', 'zoom_out',
            'help']

CURSORS = [
    (1000, 'arrow.cur', cursor_arrow),
    (1002, 'help.cur', cursor_help),
    (1009, 'move_start.cur', cursor_move_start),
    (1010, 'zoom_in.cur', lambda: cursor_zoom(1)),
    (1011, 'zoom_out.cur', lambda: cursor_zoom(-1)),
    (1012, 'move.cur', cursor_move),
    (1013, 'hook.cur', cursor_hook),
    (1014, 'pencil.cur', cursor_pencil),
    (1015, 'place.cur', cursor_place),
    (1016, 'attachment.cur', cursor_attachment),
    (1017, 'rotate.cur', cursor_rotate),
]

# Icon groups in id order: the registry names them by position (0, 1, 2, ...).
ICONS = [
    (1001, 'program.ico', lambda: icon_pair(icon_program)),
    (1002, 'drawing.ico', lambda: icon_pair(lambda n: icon_page(n, WHITE))),
    (1003, 'drawing_earlier.ico', lambda: icon_pair(lambda n: icon_page(n, SILVER, grey=True))),
    (1004, 'template.ico', lambda: icon_pair(lambda n: icon_page(n, YELLOW, dashed=True))),
    (1006, 'library.ico', lambda: icon_pair(icon_library)),
]

GENERATED = '// Generated by scripts/make-resources.py; edit the script, not this file.\n'


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    mode = 'wb' if isinstance(data, bytes) else 'w'
    with open(path, mode, **({} if mode == 'wb' else {'newline': '\n'})) as f:
        f.write(data)


def main():
    total = 0
    lines = [GENERATED, '// Bitmaps by numeric id (names in bitmap_ids.h); files in resources/bitmaps/.\n\n']
    for ident, name, canvas, bits in catalogue():
        data = bmp_bytes(canvas, bits)
        total += len(data)
        write(os.path.join(RES, 'bitmaps', name), data)
        lines.append('%-6d BITMAP "bitmaps/%s"\n' % (ident, name))
    for name, mono in (('ABOUTD', False), ('ABOUTDM', True)):
        data = bmp_bytes(about_picture(mono), 1 if mono else 4)
        total += len(data)
        write(os.path.join(RES, 'bitmaps', name.lower() + '.bmp'), data)
        lines.append('%-7s BITMAP "bitmaps/%s.bmp"\n' % (name, name.lower()))
    write(os.path.join(RES, 'bitmaps.rc'), ''.join(lines))

    lines = [GENERATED, '// Application cursors and icons; files in resources/cursors/ and resources/icons/.\n\n']
    for ident, name, make in CURSORS:
        canvas, hotspot = make()
        data = cur_bytes(canvas, hotspot)
        total += len(data)
        write(os.path.join(RES, 'cursors', name), data)
        lines.append('%-5d CURSOR "cursors/%s"\n' % (ident, name))
    lines.append('\n// Kept in this id order: the registry names the drawing, template and\n'
                 '// library icons by their positions 1, 3 and 4 in the program file.\n')
    for ident, name, make in ICONS:
        data = ico_bytes(make())
        total += len(data)
        write(os.path.join(RES, 'icons', name), data)
        lines.append('%-5d ICON "icons/%s"\n' % (ident, name))
    write(os.path.join(RES, 'cursors_icons.rc'), ''.join(lines))

    data = standard_styles_bytes()
    total += len(data)
    write(os.path.join(RES, 'data', 'stdstyle.bin'), data)
    write(os.path.join(RES, 'stdstyle.rc'),
          GENERATED + '// The 25 standard colour styles, an image of the earlier-version styles record.\n\n'
          '1000 STDSTYLE "data/stdstyle.bin"\n')
    print('wrote %d bytes of pictures and data' % total)


if __name__ == '__main__':
    main()

#!/usr/bin/env python3
"""Draws the pictures of the main window's commands, 16 x 16 and 32 x 32 with
alpha, and writes them as the form text of the window's two image lists.

    python3 res/draw_command_images.py OUTDIR

writes OUTDIR/MainImages.form (cxImageListSmall and cxImageListBig, read by the
main window) and OUTDIR/CommandImages.png (every picture on a light and a dark
ground, for looking at). The commands and which of them show a picture come from
app/MainActions.h: the rows with a picture take the indexes 0, 1, 2... in the
table's order, and every such row needs a drawing here.

Each drawing works in a 32-unit square; `c.o` is one pixel in those units, so
lines never get thinner than a pixel at 16 x 16.
"""
import math
import os
import re
import struct
import sys

# Run at build time: leave no byte code in the source tree.
sys.dont_write_bytecode = True
from draw_sonvelt_images import write_png  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ACTIONS = os.path.join(HERE, "..", "app", "MainActions.h")
SAMPLES = 4


# ---------------------------------------------------------------- shapes
# A shape answers whether a point (in units) lies inside and knows its bounds.

class Shape:
    def __init__(self, inside, box):
        self.inside = inside
        self.box = box

    def __or__(self, other):
        a, b = self, other
        box = (min(a.box[0], b.box[0]), min(a.box[1], b.box[1]), max(a.box[2], b.box[2]), max(a.box[3], b.box[3]))
        return Shape(lambda x, y: a.inside(x, y) or b.inside(x, y), box)

    def __sub__(self, other):
        a, b = self, other
        return Shape(lambda x, y: a.inside(x, y) and not b.inside(x, y), a.box)

    def __and__(self, other):
        a, b = self, other
        box = (max(a.box[0], b.box[0]), max(a.box[1], b.box[1]), min(a.box[2], b.box[2]), min(a.box[3], b.box[3]))
        return Shape(lambda x, y: a.inside(x, y) and b.inside(x, y), box)


def union(*shapes):
    result = shapes[0]
    for s in shapes[1:]:
        result = result | s
    return result


def rect(x0, y0, x1, y1):
    return Shape(lambda x, y: x0 <= x <= x1 and y0 <= y <= y1, (x0, y0, x1, y1))


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return Shape(inside, (x0, y0, x1, y1))


def ellipse(cx, cy, rx, ry):
    return Shape(lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1, (cx - rx, cy - ry, cx + rx, cy + ry))


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def ring(cx, cy, r0, r1):
    return Shape(lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1, (cx - r1, cy - r1, cx + r1, cy + r1))


def arc(cx, cy, r, w, a0, a1):
    """A band of width w along the circle of radius r, from angle a0 to a1 (degrees,
    counter-clockwise from the right, y up as on screen)."""
    lo, hi = (r - w / 2) ** 2, (r + w / 2) ** 2

    def inside(x, y):
        d = (x - cx) ** 2 + (y - cy) ** 2
        if not lo <= d <= hi:
            return False
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        return (a - a0) % 360 <= (a1 - a0) % 360
    e = r + w / 2
    return Shape(inside, (cx - e, cy - e, cx + e, cy + e))


def poly(*pts):
    xs, ys = [p[0] for p in pts], [p[1] for p in pts]

    def inside(x, y):
        result = False
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return Shape(inside, (min(xs), min(ys), max(xs), max(ys)))


def seg(x0, y0, x1, y1, w):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy or 1e-9

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
        return (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= (w / 2) ** 2
    h = w / 2
    return Shape(inside, (min(x0, x1) - h, min(y0, y1) - h, max(x0, x1) + h, max(y0, y1) + h))


def polyline(pts, w):
    return union(*[seg(a[0], a[1], b[0], b[1], w) for a, b in zip(pts, pts[1:])])


def band(x0, x1, cy, half):
    """Everything within half(x) of the line y = cy between x0 and x1."""
    top = 32

    def inside(x, y):
        return x0 <= x <= x1 and abs(y - cy) <= half(x)
    return Shape(inside, (x0, 0, x1, top))


def curve(fn, x0, x1, w, steps=24):
    """A line of width w along y = fn(x)."""
    pts = [(x0 + (x1 - x0) * i / steps, fn(x0 + (x1 - x0) * i / steps)) for i in range(steps + 1)]
    return polyline(pts, w)


# ---------------------------------------------------------------- colours

def grad(top, bottom):
    return ("grad", top, bottom)


BLUE = grad((96, 168, 240), (28, 84, 176))
BLUE_DARK = (20, 60, 130)
GREEN = grad((120, 214, 110), (36, 140, 48))
GREEN_DARK = (24, 100, 32)
RED = grad((246, 108, 92), (176, 28, 24))
RED_DARK = (130, 20, 16)
ORANGE = grad((255, 196, 90), (226, 120, 20))
ORANGE_DARK = (150, 80, 10)
YELLOW = grad((255, 232, 140), (232, 176, 48))
YELLOW_DARK = (160, 110, 20)
PURPLE = grad((186, 140, 236), (110, 60, 176))
PURPLE_DARK = (72, 36, 120)
GREY = grad((200, 206, 214), (130, 138, 150))
GREY_DARK = (80, 86, 96)
WHITE = grad((255, 255, 255), (226, 232, 240))
PAGE_EDGE = (110, 120, 136)
WAVE = grad((80, 160, 240), (24, 90, 190))
SELECTION = (60, 110, 200)


class Canvas:
    """Straight RGBA layers composited at one size."""

    def __init__(self, size):
        self.size = size
        self.o = 32.0 / size
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def lw(self, w):
        return max(w, self.o)

    def fill(self, shape, colour, alpha=1.0):
        n, s = self.size, self.size / 32.0
        x0, y0, x1, y1 = shape.box
        px0, py0 = max(0, int(math.floor(x0 * s))), max(0, int(math.floor(y0 * s)))
        px1, py1 = min(n, int(math.ceil(x1 * s)) + 1), min(n, int(math.ceil(y1 * s)) + 1)
        for py in range(py0, py1):
            row = self.px[py]
            for px in range(px0, px1):
                hits = 0
                for sy in range(SAMPLES):
                    uy = (py + (sy + 0.5) / SAMPLES) / s
                    for sx in range(SAMPLES):
                        if shape.inside((px + (sx + 0.5) / SAMPLES) / s, uy):
                            hits += 1
                if not hits:
                    continue
                a = alpha * hits / (SAMPLES * SAMPLES)
                if isinstance(colour, tuple) and colour and colour[0] == "grad":
                    t = 0.0 if y1 <= y0 else min(1.0, max(0.0, ((py + 0.5) / s - y0) / (y1 - y0)))
                    c = tuple(colour[1][i] + (colour[2][i] - colour[1][i]) * t for i in range(3))
                else:
                    c = colour
                r, g, b, da = row[px]
                oa = a + da * (1 - a)
                if oa <= 0:
                    continue
                row[px] = tuple((c[i] * a + (r, g, b)[i] * da * (1 - a)) / oa for i in range(3)) + (oa,)

    def outlined(self, shape, inner, colour, edge):
        """shape filled with edge, inner (the same shape one pixel in) with colour."""
        self.fill(shape, edge)
        self.fill(inner, colour)

    def pixels(self):
        """Premultiplied BGRA rows, top first."""
        out = []
        for row in self.px:
            r2 = []
            for r, g, b, a in row:
                a8 = int(round(a * 255))
                r2.append((int(round(r * a)), int(round(g * a)), int(round(b * a)), a8))
            out.append(r2)
        return out


# ---------------------------------------------------------------- motifs

def box_in(x0, y0, x1, y1, d):
    return x0 + d, y0 + d, x1 - d, y1 - d


def page(c, x0, y0, x1, y1, fold=None):
    o = c.o
    f = fold if fold is not None else (x1 - x0) * 0.32
    outer = poly((x0, y0), (x1 - f, y0), (x1, y0 + f), (x1, y1), (x0, y1))
    inner = poly((x0 + o, y0 + o), (x1 - f - o * 0.4, y0 + o), (x1 - o, y0 + f + o * 0.4), (x1 - o, y1 - o),
                 (x0 + o, y1 - o))
    c.outlined(outer, inner, WHITE, PAGE_EDGE)
    c.fill(poly((x1 - f, y0), (x1 - f, y0 + f), (x1, y0 + f)), (200, 208, 220))
    c.fill(polyline([(x1 - f, y0), (x1 - f, y0 + f), (x1, y0 + f)], o), PAGE_EDGE)


def page_lines(c, x0, y0, x1, y1, n=4):
    step = (y1 - y0) / n
    for i in range(n):
        y = y0 + step * i
        c.fill(rect(x0, y, x1 - (i % 2) * (x1 - x0) * 0.3, y + c.lw(1.2)), (150, 160, 176))


def wave_half(amp, seed=0.0):
    return lambda x: max(0.6, amp * (0.35 + 0.65 * abs(math.sin(x * 0.9 + seed))) * (0.55 + 0.45 * abs(math.sin(x * 2.3 + seed))))


def wave(c, x0, x1, cy, amp, colour=WAVE, seed=0.0, half=None):
    c.fill(band(x0, x1, cy, half or wave_half(amp, seed)), colour)
    c.fill(rect(x0, cy - c.o / 2, x1, cy + c.o / 2), (200, 230, 255))


def wave_box(c, x0, y0, x1, y1):
    """A dark display panel as the editor shows a waveform."""
    c.outlined(rrect(x0, y0, x1, y1, 2), rrect(*box_in(x0, y0, x1, y1, c.o), 1.5), (18, 30, 52), (70, 80, 96))


def arrow(c, x0, y0, x1, y1, w, head, colour, edge=None):
    """A thick arrow from (x0, y0) to (x1, y1) with a triangular head."""
    dx, dy = x1 - x0, y1 - y0
    ll = math.hypot(dx, dy)
    ux, uy = dx / ll, dy / ll
    bx, by = x1 - ux * head, y1 - uy * head
    shaft = seg(x0, y0, bx + ux * 0.5, by + uy * 0.5, w)
    tip = poly((x1, y1), (bx - uy * head * 0.75, by + ux * head * 0.75), (bx + uy * head * 0.75, by - ux * head * 0.75))
    if edge:
        grow = c.o
        shaft_e = seg(x0, y0, bx + ux * 0.5, by + uy * 0.5, w + 2 * grow)
        tip_e = poly((x1 + ux * grow * 1.6, y1 + uy * grow * 1.6),
                     (bx - ux * grow - uy * (head * 0.75 + grow * 1.6), by - uy * grow + ux * (head * 0.75 + grow * 1.6)),
                     (bx - ux * grow + uy * (head * 0.75 + grow * 1.6), by - uy * grow - ux * (head * 0.75 + grow * 1.6)))
        c.fill(shaft_e | tip_e, edge)
    c.fill(shaft | tip, colour)


def curved_arrow(c, cx, cy, r, w, a0, a1, colour, edge, head=6.0):
    """An arc from angle a0 to a1 with a head at a1 (counter-clockwise when a1 > a0)."""
    ccw = a1 > a0
    lo, hi = (a0, a1) if ccw else (a1, a0)
    trim = math.degrees(head * 0.6 / r)
    body_lo, body_hi = (lo, hi - trim) if ccw else (lo + trim, hi)
    c.fill(arc(cx, cy, r, w + 2 * c.o, body_lo, body_hi), edge)
    t = math.radians(a1)
    ex, ey = cx + r * math.cos(t), cy - r * math.sin(t)
    # The tangent in the direction of travel.
    tx, ty = (-math.sin(t), -math.cos(t)) if ccw else (math.sin(t), math.cos(t))
    nx, ny = math.cos(t), -math.sin(t)
    hw = head * 0.8
    tip = poly((ex + tx * head, ey + ty * head), (ex + nx * hw, ey + ny * hw), (ex - nx * hw, ey - ny * hw))
    c.fill(Shape(tip.inside, (tip.box[0] - 1, tip.box[1] - 1, tip.box[2] + 1, tip.box[3] + 1)), edge)
    c.fill(arc(cx, cy, r, w, body_lo, body_hi), colour)
    small = poly((ex + tx * (head - 1.4 * c.o), ey + ty * (head - 1.4 * c.o)), (ex + nx * (hw - 1.4 * c.o), ey + ny * (hw - 1.4 * c.o)),
                 (ex - nx * (hw - 1.4 * c.o), ey - ny * (hw - 1.4 * c.o)))
    c.fill(small, colour)


def badge(c, kind, cx, cy, r=5.5):
    """A round sign in a corner: plus (green), cross (red), star (yellow)."""
    if kind == "plus":
        c.outlined(circle(cx, cy, r), circle(cx, cy, r - c.o), GREEN, GREEN_DARK)
        w = c.lw(r * 0.38)
        c.fill(rect(cx - r * 0.6, cy - w / 2, cx + r * 0.6, cy + w / 2) | rect(cx - w / 2, cy - r * 0.6, cx + w / 2, cy + r * 0.6),
               (255, 255, 255))
    elif kind == "cross":
        c.outlined(circle(cx, cy, r), circle(cx, cy, r - c.o), RED, RED_DARK)
        w = c.lw(r * 0.36)
        d = r * 0.45
        c.fill(seg(cx - d, cy - d, cx + d, cy + d, w) | seg(cx - d, cy + d, cx + d, cy - d, w), (255, 255, 255))
    elif kind == "star":
        pts = []
        for i in range(10):
            a = math.radians(90 + 36 * i)
            rr = r if i % 2 == 0 else r * 0.45
            pts.append((cx + rr * math.cos(a), cy - rr * math.sin(a)))
        c.fill(poly(*pts), YELLOW_DARK)
        inner = []
        for i in range(10):
            a = math.radians(90 + 36 * i)
            rr = (r - c.o * 1.2) if i % 2 == 0 else (r - c.o * 1.2) * 0.45
            inner.append((cx + rr * math.cos(a), cy - rr * math.sin(a)))
        c.fill(poly(*inner), grad((255, 246, 170), (250, 196, 40)))


def folder(c, x0, y0, x1, y1, open_=False):
    o = c.o
    tab = poly((x0, y0 + 3), (x0 + 2, y0), (x0 + 10, y0), (x0 + 12, y0 + 3))
    c.fill(tab, YELLOW_DARK)
    c.outlined(rrect(x0, y0 + 3, x1, y1, 1.5), rrect(x0 + o, y0 + 3 + o, x1 - o, y1 - o, 1), YELLOW, YELLOW_DARK)
    if open_:
        front = poly((x0 + 4, y0 + 10), (x1 + 2, y0 + 10), (x1 - 2, y1), (x0, y1))
        inner = poly((x0 + 4 + o, y0 + 10 + o), (x1 + 2 - o * 1.5, y0 + 10 + o), (x1 - 2 - o * 0.5, y1 - o), (x0 + o * 1.5, y1 - o))
        c.outlined(front, inner, grad((255, 242, 180), (244, 196, 70)), YELLOW_DARK)


def disk(c, x0, y0, x1, y1):
    o = c.o
    w = x1 - x0
    c.outlined(rrect(x0, y0, x1, y1, 2), rrect(x0 + o, y0 + o, x1 - o, y1 - o, 1.5), BLUE, BLUE_DARK)
    c.outlined(rect(x0 + w * 0.22, y0 + o, x1 - w * 0.22, y0 + w * 0.36), rect(x0 + w * 0.22 + o, y0 + o, x1 - w * 0.22 - o, y0 + w * 0.36 - o),
               GREY, GREY_DARK)
    c.fill(rect(x1 - w * 0.38, y0 + w * 0.06, x1 - w * 0.28, y0 + w * 0.3), BLUE_DARK)
    c.outlined(rect(x0 + w * 0.16, y1 - w * 0.48, x1 - w * 0.16, y1 - o), rect(x0 + w * 0.16 + o, y1 - w * 0.48 + o, x1 - w * 0.16 - o, y1 - o),
               WHITE, BLUE_DARK)
    page_lines(c, x0 + w * 0.24, y1 - w * 0.36, x1 - w * 0.24, y1 - w * 0.1, 2)


def cd(c, cx, cy, r):
    o = c.o
    hole = r * 0.13
    c.fill(ring(cx, cy, hole, r), GREY_DARK)
    c.fill(ring(cx, cy, hole + o, r - o), grad((236, 240, 246), (168, 178, 194)))
    c.fill(arc(cx, cy, r * 0.68, r * 0.22, 20, 80), (170, 210, 250), 0.9)
    c.fill(arc(cx, cy, r * 0.68, r * 0.22, 200, 260), (250, 200, 170), 0.9)
    c.fill(ring(cx, cy, hole, r * 0.3), GREY_DARK)
    c.fill(ring(cx, cy, hole + o, r * 0.3 - o), (250, 252, 255))


def gear(c, cx, cy, r, colour=GREY, edge=GREY_DARK):
    teeth = 8
    pts = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4)
        rr = r if (i // 2) % 2 == 0 else r * 0.74
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    c.fill(poly(*pts), edge)
    inner = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4)
        rr = (r - c.o) if (i // 2) % 2 == 0 else r * 0.74 - c.o
        inner.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    c.fill(poly(*inner), colour)
    c.outlined(circle(cx, cy, r * 0.36), circle(cx, cy, r * 0.36 - c.o), (255, 255, 255), edge)


def window(c, x0, y0, x1, y1, title=BLUE):
    o = c.o
    c.outlined(rect(x0, y0, x1, y1), rect(x0 + o, y0 + o, x1 - o, y1 - o), WHITE, BLUE_DARK)
    c.fill(rect(x0 + o, y0 + o, x1 - o, y0 + max(3.5, 2.5 * o)), title)


def magnifier(c, cx, cy, r):
    o = c.o
    c.fill(seg(cx + r * 0.7, cy + r * 0.7, cx + r * 1.55, cy + r * 1.55, c.lw(r * 0.5)), GREY_DARK)
    c.fill(circle(cx, cy, r), GREY_DARK)
    c.fill(circle(cx, cy, r - c.lw(r * 0.22)), grad((236, 246, 255), (180, 214, 246)))


def bracket(c, x0, y0, x1, y1, colour=(250, 250, 250), w=None):
    w = w or c.lw(1.5)
    t = (x1 - x0) * 0.22
    c.fill(union(rect(x0, y0, x0 + w, y1), rect(x1 - w, y0, x1, y1), rect(x0, y0, x0 + t, y0 + w), rect(x0, y1 - w, x0 + t, y1),
                 rect(x1 - t, y0, x1, y0 + w), rect(x1 - t, y1 - w, x1, y1)), colour)


def flag(c, x, y, h, colour=RED, edge=RED_DARK):
    c.fill(rect(x, y, x + c.lw(1.6), y + h), GREY_DARK)
    f = poly((x + 1, y), (x + h * 0.72, y + h * 0.2), (x + 1, y + h * 0.44))
    c.fill(Shape(f.inside, (f.box[0] - 1, f.box[1] - 1, f.box[2] + 1, f.box[3] + 1)), edge)
    c.fill(poly((x + 1 + c.o, y + c.o * 1.5), (x + h * 0.72 - c.o * 2.2, y + h * 0.2), (x + 1 + c.o, y + h * 0.44 - c.o * 1.5)), colour)


def list_lines(c, x0, y0, x1, y1, rows=4):
    o = c.o
    c.outlined(rect(x0, y0, x1, y1), rect(x0 + o, y0 + o, x1 - o, y1 - o), WHITE, PAGE_EDGE)
    step = (y1 - y0 - 4) / rows
    for i in range(rows):
        y = y0 + 3 + step * i
        c.fill(rect(x0 + 3, y, x0 + 5, y + c.lw(1.8)), BLUE_DARK)
        c.fill(rect(x0 + 7, y, x1 - 3, y + c.lw(1.4)), (150, 160, 176))


def letter_text(c, text, x, y, scale, colour):
    """A few capitals and signs from a 3 x 5 pixel font."""
    font = {
        "I": ["111", "010", "010", "010", "111"], "D": ["110", "101", "101", "101", "110"],
        "3": ["111", "001", "011", "001", "111"], "A": ["010", "101", "111", "101", "101"],
    }
    for k, ch in enumerate(text):
        for row, bits in enumerate(font[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    c.fill(rect(x + (k * 4 + col) * scale, y + row * scale, x + (k * 4 + col + 1) * scale, y + (row + 1) * scale), colour)


def speaker(c, x, y, s):
    c.fill(poly((x, y + s * 0.3), (x + s * 0.3, y + s * 0.3), (x + s * 0.65, y), (x + s * 0.65, y + s), (x + s * 0.3, y + s * 0.7),
                (x, y + s * 0.7)), GREY_DARK)


def tri_right(x0, y0, x1, y1):
    return poly((x0, y0), (x1, (y0 + y1) / 2), (x0, y1))


def tri_left(x0, y0, x1, y1):
    return poly((x1, y0), (x0, (y0 + y1) / 2), (x1, y1))


def transport_shape(c, shape, colour=BLUE, edge=BLUE_DARK, grow=None):
    g = grow if grow is not None else c.o
    x0, y0, x1, y1 = shape.box
    c.fill(Shape(lambda x, y: any(shape.inside(x + dx, y + dy) for dx, dy in ((g, 0), (-g, 0), (0, g), (0, -g))),
                 (x0 - g, y0 - g, x1 + g, y1 + g)), edge)
    c.fill(shape, colour)


# ---------------------------------------------------------------- the drawings

def d_NewFile(c):
    page(c, 6, 3, 26, 29)
    page_lines(c, 10, 13, 22, 25)
    badge(c, "star", 9, 8, 7)


def d_OpenFile(c):
    page(c, 10, 3, 26, 20)
    folder(c, 2, 9, 28, 29, open_=True)


def d_LoadCD(c):
    cd(c, 14, 14, 12)
    arrow(c, 24, 12, 24, 30, c.lw(4), 6, GREEN, GREEN_DARK)


def d_SaveFile(c):
    disk(c, 4, 4, 28, 28)


def d_SaveAs(c):
    disk(c, 2, 2, 24, 24)
    pencil(c, 30, 12, 14, 28)


def pencil(c, x0, y0, x1, y1):
    w = 5.0
    dx, dy = x1 - x0, y1 - y0
    ll = math.hypot(dx, dy)
    ux, uy = dx / ll, dy / ll
    nx, ny = -uy * w / 2, ux * w / 2
    bx, by = x1 - ux * 5, y1 - uy * 5
    body = poly((x0 + nx, y0 + ny), (bx + nx, by + ny), (bx - nx, by - ny), (x0 - nx, y0 - ny))
    c.fill(Shape(body.inside, body.box) | seg(x0, y0, bx, by, w + 2 * c.o), ORANGE_DARK)
    c.fill(body, ORANGE)
    c.fill(poly((bx + nx, by + ny), (x1, y1), (bx - nx, by - ny)), (240, 210, 170))
    c.fill(poly((x1 - ux * 2 + nx * 0.4, y1 - uy * 2 + ny * 0.4), (x1, y1), (x1 - ux * 2 - nx * 0.4, y1 - uy * 2 - ny * 0.4)), (40, 40, 40))
    c.fill(seg(x0 + ux * 0.5, y0 + uy * 0.5, x0 + ux * 2.5, y0 + uy * 2.5, w), (236, 120, 150))


def d_CloseFile(c):
    page(c, 4, 3, 24, 29)
    page_lines(c, 8, 12, 20, 24)
    badge(c, "cross", 23, 23, 7)


def d_ConvertSampleRate(c):
    wave_box(c, 2, 6, 30, 26)
    wave(c, 4, 28, 16, 7)
    curved_arrow(c, 16, 16, 10, c.lw(2.5), 150, 30, ORANGE, ORANGE_DARK, 5)
    curved_arrow(c, 16, 16, 10, c.lw(2.5), 330, 210, ORANGE, ORANGE_DARK, 5)


def d_EditID3(c):
    tag = poly((3, 10), (10, 3), (29, 3), (29, 22), (10, 22))
    inner = poly((3 + 1.5 * c.o, 10), (10.5, 3 + c.o), (29 - c.o, 3 + c.o), (29 - c.o, 22 - c.o), (10.5, 22 - c.o))
    c.outlined(tag, inner, ORANGE, ORANGE_DARK)
    c.fill(circle(9, 12.5, 2.2), (255, 255, 255))
    letter_text(c, "ID3", 13, 8, c.lw(1.25) if c.size > 16 else 2, (90, 40, 0))
    pencil(c, 28, 16, 12, 31)


def d_Options(c):
    gear(c, 16, 16, 14)


def d_Exit(c):
    c.outlined(rect(4, 3, 20, 29), rect(4 + c.o, 3 + c.o, 20 - c.o, 29 - c.o), grad((200, 150, 100), (140, 90, 50)), (90, 50, 20))
    c.fill(poly((6, 5), (16, 8), (16, 30), (6, 27)), grad((170, 110, 60), (110, 64, 30)))
    c.fill(circle(14, 18, c.lw(1.3)), YELLOW_DARK)
    arrow(c, 16, 16, 30, 16, c.lw(4.5), 7, GREEN, GREEN_DARK)


def d_Undo(c):
    curved_arrow(c, 17, 19, 10, c.lw(4.5), 0, 150, BLUE, BLUE_DARK, 7)


def d_Redo(c):
    curved_arrow(c, 15, 19, 10, c.lw(4.5), 180, 30, BLUE, BLUE_DARK, 7)


def d_Cut(c):
    w = c.lw(2.6)
    c.fill(seg(11, 3, 20, 21, w + 2 * c.o) | seg(21, 3, 12, 21, w + 2 * c.o), GREY_DARK)
    c.fill(seg(11, 3, 20, 21, w) | seg(21, 3, 12, 21, w), grad((240, 244, 250), (170, 180, 196)))
    for cx in (9, 23):
        c.fill(ring(cx, 24, 3.2, 5.6), RED_DARK)
        c.fill(ring(cx, 24, 3.2 + c.o * 0.6, 5.6 - c.o), RED)
    c.fill(circle(16, 13, c.lw(1.4)), GREY_DARK)


def d_Copy(c):
    page(c, 3, 2, 19, 22)
    page_lines(c, 6, 9, 15, 19, 3)
    page(c, 12, 10, 28, 30)
    page_lines(c, 15, 17, 25, 27, 3)


def d_CopyToNew(c):
    page(c, 3, 2, 19, 22)
    page_lines(c, 6, 9, 15, 19, 3)
    page(c, 12, 10, 28, 30)
    wave(c, 14, 26, 21, 4)
    badge(c, "star", 25, 8, 6)


def clipboard(c, x0, y0, x1, y1):
    o = c.o
    c.outlined(rrect(x0, y0 + 2, x1, y1, 2), rrect(x0 + o, y0 + 2 + o, x1 - o, y1 - o, 1.5), grad((210, 160, 100), (160, 110, 60)), (100, 60, 20))
    cx = (x0 + x1) / 2
    c.outlined(rrect(cx - 5, y0, cx + 5, y0 + 5, 1.5), rrect(cx - 5 + o, y0 + o, cx + 5 - o, y0 + 5 - o, 1), GREY, GREY_DARK)


def d_Paste(c):
    clipboard(c, 3, 2, 23, 30)
    page(c, 13, 10, 29, 30)
    page_lines(c, 16, 17, 26, 27, 3)


def d_PasteMix(c):
    clipboard(c, 3, 2, 23, 30)
    wave_box(c, 11, 12, 30, 30)
    wave(c, 13, 28, 21, 6, WAVE, 0.4)
    wave(c, 13, 28, 21, 3.5, GREEN, 1.7)


def d_Delete(c):
    w = c.lw(5)
    c.fill(seg(6, 6, 26, 26, w + 2 * c.o) | seg(26, 6, 6, 26, w + 2 * c.o), RED_DARK)
    c.fill(seg(6, 6, 26, 26, w) | seg(26, 6, 6, 26, w), RED)


def selected_wave(c, s0, s1, seed=0.0):
    wave_box(c, 1, 5, 31, 27)
    c.fill(rect(2 + s0, 6, 2 + s1, 26), SELECTION)
    wave(c, 3, 29, 16, 8, WAVE, seed)
    c.fill(rect(2 + s0, 6, 2 + s1, 26), (255, 255, 255), 0.25)


def d_SelectAll(c):
    selected_wave(c, 0, 28)


def d_SelectToStart(c):
    selected_wave(c, 0, 16)
    c.fill(rect(18, 4, 18 + c.lw(1.5), 28), (255, 220, 80))


def d_SelectToEnd(c):
    selected_wave(c, 12, 28)
    c.fill(rect(12.5, 4, 12.5 + c.lw(1.5), 28), (255, 220, 80))


def clock(c, cx, cy, r):
    c.outlined(circle(cx, cy, r), circle(cx, cy, r - c.lw(1.5)), WHITE, BLUE_DARK)
    c.fill(seg(cx, cy, cx, cy - r * 0.62, c.lw(1.8)) | seg(cx, cy, cx + r * 0.45, cy + r * 0.2, c.lw(1.8)), (40, 40, 40))


def d_SelectSpecifiedTime(c):
    selected_wave(c, 6, 22)
    clock(c, 22, 22, 9)


def d_MixFile(c):
    wave_box(c, 1, 5, 31, 27)
    wave(c, 3, 29, 16, 9, WAVE, 0.0)
    wave(c, 3, 29, 16, 5, GREEN, 2.1)
    badge(c, "plus", 25, 8, 6)


def loop(c, cx, cy, colour=GREEN, edge=GREEN_DARK, r=9.0):
    curved_arrow(c, cx, cy, r, c.lw(3.5), 200, 340, colour, edge, 6)
    curved_arrow(c, cx, cy, r, c.lw(3.5), 20, 160, colour, edge, 6)


def d_RepeatLoop(c):
    wave_box(c, 1, 8, 31, 24)
    wave(c, 3, 29, 16, 5)
    loop(c, 16, 16, r=10)


def d_Trim(c):
    wave_box(c, 1, 5, 31, 27)
    wave(c, 3, 29, 16, 8)
    c.fill(rect(2, 6, 9, 26), (18, 30, 52), 0.75)
    c.fill(rect(23, 6, 30, 26), (18, 30, 52), 0.75)
    bracket(c, 9, 4, 23, 28, (255, 220, 80))


def cut_mark(c, x):
    c.fill(rect(x - c.lw(1.2) / 2, 2, x + c.lw(1.2) / 2, 30), RED)


def d_TrimStart(c):
    wave_box(c, 1, 5, 31, 27)
    wave(c, 12, 29, 16, 8)
    c.fill(rect(3, 16 - c.o / 2, 11, 16 + c.o / 2), (90, 110, 140))
    cut_mark(c, 11)
    arrow(c, 9, 10, 3, 10, c.lw(2.5), 4, RED, RED_DARK)


def d_TrimEnd(c):
    wave_box(c, 1, 5, 31, 27)
    wave(c, 3, 20, 16, 8)
    c.fill(rect(21, 16 - c.o / 2, 29, 16 + c.o / 2), (90, 110, 140))
    cut_mark(c, 21)
    arrow(c, 23, 10, 29, 10, c.lw(2.5), 4, RED, RED_DARK)


def d_SplitIntoTwo(c):
    wave_box(c, 1, 5, 14, 27)
    wave(c, 3, 12, 16, 8)
    wave_box(c, 18, 5, 31, 27, )
    wave(c, 20, 29, 16, 8, WAVE, 1.3)
    c.fill(seg(16, 2, 16, 30, c.lw(1.5)), RED)


def d_SilenceSelect(c):
    wave_box(c, 1, 5, 31, 27)
    c.fill(rect(10, 6, 22, 26), SELECTION)
    half = wave_half(8)
    wave(c, 3, 29, 16, 8, half=lambda x: 0.4 if 10 <= x <= 22 else half(x))


def d_SaveSelect(c):
    wave_box(c, 1, 3, 31, 19)
    c.fill(rect(9, 4, 23, 18), SELECTION)
    wave(c, 3, 29, 11, 5)
    disk(c, 13, 14, 29, 30)


def insert_at(c, where, silence):
    wave_box(c, 1, 12, 31, 30)
    gap = {0: (3, 11), 1: (12, 20), 2: (21, 29)}[where]
    half = wave_half(6)
    if silence:
        wave(c, 3, 29, 21, 6, half=lambda x: 0.4 if gap[0] <= x <= gap[1] else half(x))
        c.fill(rect(gap[0], 13, gap[1], 29), (120, 200, 120), 0.35)
    else:
        wave(c, 3, 29, 21, 6, half=lambda x: 0 if gap[0] <= x <= gap[1] else half(x))
        wave(c, gap[0], gap[1], 21, 6, GREEN, 2.0)
    cx = (gap[0] + gap[1]) / 2
    arrow(c, cx, 1, cx, 12, c.lw(3.5), 6, ORANGE, ORANGE_DARK)


def d_InsertSilenceBegin(c):
    insert_at(c, 0, True)


def d_InsertSilenceCurrent(c):
    insert_at(c, 1, True)


def d_InsertSilenceEnd(c):
    insert_at(c, 2, True)


def d_InsertFileBegin(c):
    insert_at(c, 0, False)


def d_InsertFileCurrent(c):
    insert_at(c, 1, False)


def d_InsertFileEnd(c):
    insert_at(c, 2, False)


def fx_box(c):
    wave_box(c, 1, 3, 31, 29)


def d_Amplify(c):
    fx_box(c)
    wave(c, 3, 22, 16, 11, ORANGE)
    arrow(c, 26, 24, 26, 6, c.lw(3.5), 6, GREEN, GREEN_DARK)


def d_Normalize(c):
    fx_box(c)
    for y in (6, 25):
        for x in range(3, 29, 4):
            c.fill(rect(x, y, x + 2, y + c.lw(1)), (255, 220, 80))
    half = wave_half(9.5)
    wave(c, 3, 29, 16, 9.5, ORANGE, half=lambda x: min(9.5, half(x) * 1.6))


def d_DynamicRangeCompressor(c):
    fx_box(c)
    wave(c, 3, 29, 16, 5, ORANGE, half=lambda x: 3.5 + 1.5 * abs(math.sin(x * 1.7)))
    arrow(c, 16, 3, 16, 10, c.lw(3), 4.5, GREEN, GREEN_DARK)
    arrow(c, 16, 29, 16, 22, c.lw(3), 4.5, GREEN, GREEN_DARK)


def d_HighPass(c):
    fx_box(c)
    for x in (9, 16, 23):
        c.fill(rect(x, 5, x + c.o, 27), (60, 80, 110))
    c.fill(curve(lambda x: 24 - 14 / (1 + math.exp(-(x - 13) * 0.6)), 3, 29, c.lw(2.6)), ORANGE)


def d_Equalizer(c):
    fx_box(c)
    for cx, knob in ((8, 12), (16, 20), (24, 10)):
        c.fill(rect(cx - c.lw(1) / 2, 6, cx + c.lw(1) / 2, 26), (120, 140, 170))
        c.outlined(rrect(cx - 3.5, knob - 2.5, cx + 3.5, knob + 2.5, 1), rrect(cx - 3.5 + c.o, knob - 2.5 + c.o, cx + 3.5 - c.o, knob + 2.5 - c.o, 0.5),
                   ORANGE, ORANGE_DARK)


def pulses(c, xs, colour):
    for i, (x, h) in enumerate(xs):
        c.fill(band(x - 2, x + 2, 16, lambda t, x=x, h=h: h * max(0.0, 1 - abs(t - x) / 2.2)), colour)


def d_Echo(c):
    fx_box(c)
    pulses(c, [(7, 11), (15, 7.5), (22, 5), (28, 3)], ORANGE)


def d_Reverb(c):
    fx_box(c)
    wave(c, 3, 29, 16, 11, ORANGE, half=lambda x: max(0.5, 11 * math.exp(-(x - 3) / 9) * (0.5 + 0.5 * abs(math.sin(x * 2.6)))))


def d_Reverse(c):
    fx_box(c)
    wave(c, 3, 29, 18, 7, ORANGE)
    arrow(c, 27, 8, 5, 8, c.lw(3), 5, GREEN, GREEN_DARK)


def fade(c, fn, colour=ORANGE):
    fx_box(c)
    half = wave_half(11)
    wave(c, 3, 29, 16, 11, colour, half=lambda x: half(x) * fn((x - 3) / 26))
    c.fill(curve(lambda x: 16 - 11 * fn((x - 3) / 26), 3, 29, c.lw(1.2)), (255, 230, 120))


def d_FadeIn(c):
    fade(c, lambda t: t)


def d_FadeOut(c):
    fade(c, lambda t: 1 - t)


def d_FadeOutAndTrim(c):
    fx_box(c)
    half = wave_half(11)
    wave(c, 3, 22, 16, 11, ORANGE, half=lambda x: half(x) * (1 - (x - 3) / 19))
    cut_mark(c, 24)


def d_CrossFade(c):
    fx_box(c)
    half = wave_half(11)
    wave(c, 3, 29, 16, 11, ORANGE, half=lambda x: half(x) * (1 - (x - 3) / 26))
    wave(c, 3, 29, 16, 11, GREEN, 1.0, half=lambda x: wave_half(11, 1.0)(x) * ((x - 3) / 26))
    c.fill(seg(3, 5, 29, 27, c.lw(1.2)) | seg(3, 27, 29, 5, c.lw(1.2)), (255, 230, 120))


def d_Envelope(c):
    fx_box(c)
    wave(c, 3, 29, 16, 10, ORANGE)
    pts = [(3, 20), (10, 7), (18, 13), (25, 6), (29, 18)]
    c.fill(polyline(pts, c.lw(1.5)), (255, 240, 140))
    for x, y in pts[1:-1]:
        c.fill(rect(x - 1.6, y - 1.6, x + 1.6, y + 1.6), (255, 255, 255))


def d_MixStereo(c):
    fx_box(c)
    wave(c, 3, 14, 10, 4.5, ORANGE)
    wave(c, 3, 14, 22, 4.5, GREEN, 1.2)
    c.fill(polyline([(14, 10), (19, 16)], c.lw(1.5)) | polyline([(14, 22), (19, 16)], c.lw(1.5)), (255, 230, 120))
    wave(c, 19, 29, 16, 7, (250, 200, 100))


def d_NoiseReduction(c):
    fx_box(c)
    wave(c, 3, 29, 16, 8, ORANGE)
    for i, (x, y) in enumerate([(4, 6), (7, 25), (10, 8), (6, 12), (12, 24), (9, 20), (5, 21), (13, 5)]):
        c.fill(rect(x, y, x + c.lw(1.2), y + c.lw(1.2)), (230, 230, 230))
    c.fill(rect(15, 4, 15 + c.lw(1), 28), (255, 230, 120))


def d_SpeedChange(c):
    o = c.o
    c.outlined(circle(16, 18, 14), circle(16, 18, 14 - o), grad((70, 80, 100), (20, 26, 40)), (10, 14, 22))
    c.fill(arc(16, 18, 10.5, c.lw(2.5), 0, 180), (120, 200, 120))
    c.fill(arc(16, 18, 10.5, c.lw(2.5), 0, 45), (240, 90, 70))
    c.fill(seg(16, 18, 24, 10, c.lw(2.2)), ORANGE)
    c.fill(circle(16, 18, 2.5), (230, 230, 230))


def note(c, x, y, s, colour, edge):
    c.fill(ellipse(x, y, s * 0.55, s * 0.4) | rect(x + s * 0.35, y - s * 1.9, x + s * 0.35 + c.lw(s * 0.22), y), edge)
    c.fill(ellipse(x, y, s * 0.55 - c.o, s * 0.4 - c.o), colour)
    c.fill(poly((x + s * 0.45, y - s * 1.9), (x + s * 1.2, y - s * 1.3), (x + s * 1.2, y - s * 0.95), (x + s * 0.45, y - s * 1.5)), edge)


def d_PitchChange(c):
    note(c, 10, 24, 9, PURPLE, PURPLE_DARK)
    arrow(c, 25, 28, 25, 4, c.lw(3.5), 6, GREEN, GREEN_DARK)


def d_Phaser(c):
    fx_box(c)
    c.fill(curve(lambda x: 16 + 8 * math.sin((x - 3) / 26 * 2 * math.pi * 1.5), 3, 29, c.lw(2)), ORANGE)
    c.fill(curve(lambda x: 16 + 8 * math.sin((x - 3) / 26 * 2 * math.pi * 1.5 + 2.0), 3, 29, c.lw(2)), GREEN)


def d_Flanger(c):
    fx_box(c)
    c.fill(curve(lambda x: 16 + 9 * math.sin((x - 3) ** 1.35 * 0.45), 3, 29, c.lw(2), 48), ORANGE)
    c.fill(curve(lambda x: 16 + 5 * math.sin((x - 3) ** 1.35 * 0.45 + 1.2), 3, 29, c.lw(1.4), 48), (250, 230, 140))


def d_Chorus(c):
    fx_box(c)
    for dy, colour in ((-7, ORANGE), (0, GREEN), (7, PURPLE)):
        c.fill(curve(lambda x, dy=dy: 16 + dy + 3 * math.sin((x - 3) * 0.7 + dy), 3, 29, c.lw(2)), colour)


def d_Record(c):
    c.outlined(circle(16, 16, 12), circle(16, 16, 12 - c.o), RED, RED_DARK)
    c.fill(ellipse(13, 11, 5, 3), (255, 255, 255), 0.45)


def d_Play(c):
    transport_shape(c, tri_right(8, 4, 27, 28), GREEN, GREEN_DARK)


def d_LoopPlay(c):
    transport_shape(c, tri_right(10, 9, 22, 23), GREEN, GREEN_DARK)
    loop(c, 16, 16, BLUE, BLUE_DARK, r=13)


def d_Pause(c):
    transport_shape(c, rect(7, 5, 13, 27) | rect(19, 5, 25, 27))


def d_Stop(c):
    transport_shape(c, rect(6, 6, 26, 26))


def d_Start(c):
    transport_shape(c, rect(4, 6, 8, 26) | tri_left(8, 6, 18, 26) | tri_left(17, 6, 27, 26))


def d_Rewind(c):
    transport_shape(c, tri_left(3, 6, 16, 26) | tri_left(15, 6, 28, 26))


def d_Forword(c):
    transport_shape(c, tri_right(4, 6, 17, 26) | tri_right(16, 6, 29, 26))


def d_End(c):
    transport_shape(c, tri_right(5, 6, 15, 26) | tri_right(14, 6, 24, 26) | rect(24, 6, 28, 26))


def d_SetBookmark(c):
    wave_box(c, 1, 11, 31, 29)
    wave(c, 3, 29, 20, 6)
    c.fill(rect(15, 2, 15 + c.lw(1.5), 29), (255, 220, 80))
    flag(c, 15, 2, 14)


def d_OpenBookmarkList(c):
    list_lines(c, 2, 4, 26, 30)
    flag(c, 22, 1, 13)


def region_mark(c, x0, y0, x1, y1):
    c.fill(rect(x0, y0, x1, y1), (80, 200, 110), 0.55)
    bracket(c, x0, y0, x1, y1, (110, 240, 140))


def d_AddRegion(c):
    wave_box(c, 1, 5, 31, 27)
    wave(c, 3, 29, 16, 8)
    region_mark(c, 8, 6, 22, 26)
    badge(c, "plus", 25, 24, 6)


def d_OpenRegionList(c):
    list_lines(c, 2, 4, 26, 30)
    c.fill(rect(17, 1, 31, 13), (40, 140, 70))
    region_mark(c, 18, 2, 30, 12)


def d_FrequencyAnalysis(c):
    fx_box(c)
    for i, h in enumerate((8, 14, 20, 17, 11, 13, 7, 4)):
        x = 4 + i * 3.1
        c.fill(rect(x, 27 - h, x + 2.3, 27), grad((120, 240, 120), (30, 150, 60)))
        c.fill(rect(x, 27 - h, x + 2.3, 27 - h + c.lw(1)), (240, 90, 70))


def d_TextToSpeech(c):
    bubble = rrect(2, 3, 26, 20, 4) | poly((7, 18), (6, 26), (14, 19))
    inner = rrect(2 + c.o, 3 + c.o, 26 - c.o, 20 - c.o, 3.5) | poly((7 + c.o, 18 - c.o), (7 + c.o, 24), (13, 19 - c.o))
    c.outlined(bubble, inner, WHITE, BLUE_DARK)
    letter_text(c, "A", 6, 7, c.lw(1.5) if c.size > 16 else 2, BLUE_DARK)
    c.fill(rect(13, 9, 22, 9 + c.lw(1.4)) | rect(13, 13, 20, 13 + c.lw(1.4)), (150, 160, 176))
    for r in (4, 7):
        c.fill(arc(23, 25, r, c.lw(1.6), -50, 50), ORANGE_DARK)
    speaker(c, 16, 21, 9)


def d_Batch(c):
    for k in (0, 4, 8):
        page(c, 2 + k, 2 + k, 18 + k, 22 + k)
    wave(c, 12, 24, 20, 4)
    gear(c, 24, 24, 7.5, ORANGE, ORANGE_DARK)


def side_window(c, left, colour=GREEN):
    window(c, 2, 4, 30, 28)
    x0, x1 = (3, 12) if left else (20, 29)
    c.fill(rect(x0, 8, x1, 27), grad((200, 220, 250), (120, 160, 220)))
    for y in (11, 15, 19):
        c.fill(rect(x0 + 1.5, y, x1 - 1.5, y + c.lw(1.5)), BLUE_DARK)


def d_ShowCommandBar(c):
    side_window(c, True)


def d_BarOntheLeft(c):
    side_window(c, True)
    arrow(c, 26, 20, 15, 20, c.lw(3), 5, GREEN, GREEN_DARK)


def d_BarOntheRight(c):
    side_window(c, False)
    arrow(c, 6, 20, 17, 20, c.lw(3), 5, GREEN, GREEN_DARK)


def toolbar_window(c, wave_buttons):
    window(c, 2, 4, 30, 28)
    c.fill(rect(3, 8, 29, 14), (220, 228, 240))
    for i in range(4):
        x = 4.5 + i * 6
        if wave_buttons:
            c.fill(rect(x, 9, x + 5, 13), (18, 30, 52))
            c.fill(band(x + 0.5, x + 4.5, 11, lambda t: 1.6 * abs(math.sin(t * 2))), ORANGE)
        else:
            c.fill(rect(x, 9, x + 5, 13), [BLUE, GREEN, ORANGE, RED][i])


def d_ShowMainToolbar(c):
    toolbar_window(c, False)


def d_ShowEffectsToolbar(c):
    toolbar_window(c, True)


def d_Cascade(c):
    for k in (0, 6, 12):
        window(c, 2 + k, 2 + k, 18 + k, 18 + k)


def d_TileHorizontal(c):
    window(c, 2, 3, 30, 15)
    window(c, 2, 17, 30, 29)


def d_TileVertical(c):
    window(c, 2, 3, 15, 29)
    window(c, 17, 3, 30, 29)


def d_ArrangeIcons(c):
    c.outlined(rect(1, 2, 31, 30), rect(1 + c.o, 2 + c.o, 31 - c.o, 30 - c.o), grad((230, 236, 244), (200, 208, 220)), GREY_DARK)
    for k in (0, 10, 20):
        c.outlined(rect(3 + k, 22, 11 + k, 27), rect(3 + k + c.o, 22 + c.o, 11 + k - c.o, 27 - c.o), BLUE, BLUE_DARK)


def d_CloseAll(c):
    window(c, 2, 2, 20, 18)
    window(c, 8, 8, 26, 24)
    badge(c, "cross", 24, 24, 7)


def d_ZoomIn(c):
    magnifier(c, 13, 13, 10)
    w = c.lw(2.6)
    c.fill(rect(8, 13 - w / 2, 18, 13 + w / 2) | rect(13 - w / 2, 8, 13 + w / 2, 18), BLUE_DARK)


def d_ZoomOut(c):
    magnifier(c, 13, 13, 10)
    w = c.lw(2.6)
    c.fill(rect(8, 13 - w / 2, 18, 13 + w / 2), BLUE_DARK)


def d_ZoomToSelection(c):
    wave_box(c, 1, 3, 31, 21)
    c.fill(rect(8, 4, 20, 20), SELECTION)
    wave(c, 3, 29, 12, 6)
    magnifier(c, 20, 20, 6.5)


def d_ZoomFull(c):
    magnifier(c, 13, 13, 10)
    arrow(c, 13, 13, 7, 13, c.lw(2), 3.5, BLUE_DARK)
    arrow(c, 13, 13, 19, 13, c.lw(2), 3.5, BLUE_DARK)


def round_sign(c, colour, edge):
    c.outlined(circle(16, 16, 14), circle(16, 16, 14 - c.o), colour, edge)
    c.fill(ellipse(13, 9, 8, 4.5), (255, 255, 255), 0.3)


def d_Help(c):
    round_sign(c, BLUE, BLUE_DARK)
    w = c.lw(3.2)
    c.fill(arc(16, 12, 4.5, w, -60, 180) | seg(18.3, 15.9, 16, 18.5, w) | seg(16, 18, 16, 20.5, w) | circle(16, 25, w * 0.62),
           (255, 255, 255))


def d_HomePage(c):
    roof = poly((16, 2), (31, 15), (1, 15))
    c.fill(roof, RED_DARK)
    c.fill(poly((16, 2 + 1.6 * c.o), (31 - 2.2 * c.o, 15 - c.o), (1 + 2.2 * c.o, 15 - c.o)), RED)
    c.outlined(rect(5, 14, 27, 30), rect(5 + c.o, 14, 27 - c.o, 30 - c.o), grad((255, 248, 230), (230, 214, 180)), (120, 90, 50))
    c.fill(rect(13, 20, 19, 30 - c.o), grad((170, 110, 60), (110, 64, 30)))
    c.outlined(rect(7, 18, 11, 22), rect(7 + c.o, 18 + c.o, 11 - c.o, 22 - c.o), (170, 210, 250), BLUE_DARK)


def d_TechnicalSupport(c):
    c.fill(ring(16, 16, 5.5, 14), RED_DARK)
    c.fill(ring(16, 16, 5.5 + c.o, 14 - c.o), (250, 250, 250))
    for a in (45, 135, 225, 315):
        c.fill(arc(16, 16, 9.75, 8.5 - 2 * c.o, a - 22, a + 22), RED)


def package(c, x0, y0, s, colour, edge):
    top = poly((x0, y0 + s * 0.25), (x0 + s * 0.5, y0), (x0 + s, y0 + s * 0.25), (x0 + s * 0.5, y0 + s * 0.5))
    left = poly((x0, y0 + s * 0.25), (x0 + s * 0.5, y0 + s * 0.5), (x0 + s * 0.5, y0 + s), (x0, y0 + s * 0.75))
    right = poly((x0 + s * 0.5, y0 + s * 0.5), (x0 + s, y0 + s * 0.25), (x0 + s, y0 + s * 0.75), (x0 + s * 0.5, y0 + s))
    grow = c.o
    c.fill(poly((x0 - grow, y0 + s * 0.25), (x0 + s * 0.5, y0 - grow), (x0 + s + grow, y0 + s * 0.25),
                (x0 + s + grow, y0 + s * 0.75), (x0 + s * 0.5, y0 + s + grow), (x0 - grow, y0 + s * 0.75)), edge)
    c.fill(top, grad((255, 255, 255), (230, 230, 230)))
    c.fill(top, colour, 0.45)
    c.fill(left, colour)
    c.fill(right, colour)
    c.fill(right, (0, 0, 0), 0.2)


def d_RelatedSoftware(c):
    package(c, 2, 14, 14, ORANGE, ORANGE_DARK)
    package(c, 16, 14, 14, GREEN, GREEN_DARK)
    package(c, 9, 2, 14, BLUE, BLUE_DARK)


def d_About(c):
    round_sign(c, BLUE, BLUE_DARK)
    w = c.lw(3.4)
    c.fill(circle(16, 9, w * 0.62) | rect(16 - w / 2, 13, 16 + w / 2, 24) | rect(13, 13, 16, 13 + c.lw(1.6)) |
           rect(12.5, 24 - c.lw(1.6), 19.5, 24), (255, 255, 255))


# ---------------------------------------------------------------- output

def read_actions():
    """(name, has picture) of every row of the command table, in order."""
    text = open(ACTIONS, encoding="utf-8").read()
    rows = re.findall(r'X\((\w+), "(?:[^"\\]|\\.)*", "[^"]*", "\w+", (true|false)\)', text)
    if not rows:
        sys.exit("no commands found in " + ACTIONS)
    return [(name, flag == "true") for name, flag in rows]


def draw(name, size):
    fn = globals().get("d_" + name)
    if fn is None:
        sys.exit("no drawing for the command " + name)
    c = Canvas(size)
    fn(c)
    return c.pixels()


def bitmap_data(pixels):
    """The framework's bitmap form data: a 4-byte length, then a 32-bit BMP file."""
    h, w = len(pixels), len(pixels[0])
    body = b"".join(b"".join(bytes((b, g, r, a)) for r, g, b, a in row) for row in reversed(pixels))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(body), 0, 0, 0, 0)
    offset = 14 + len(info)
    bmp = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset) + info + body
    return struct.pack("<i", len(bmp)) + bmp


def hex_block(data, indent):
    hexed = data.hex().upper()
    lines = [hexed[i:i + 64] for i in range(0, len(hexed), 64)]
    return "{\n" + "\n".join(indent + line for line in lines) + "}"


def image_list(name, size, images):
    out = ["  object %s: TcxImageList" % name]
    if size != 16:
        out += ["    Height = %d" % size, "    Width = %d" % size]
    out += ["    FormatVersion = 1", "    ImageInfo = <"]
    for k, pixels in enumerate(images):
        out.append("      item")
        out.append("        Image.Data = " + hex_block(bitmap_data(pixels), "          "))
        out.append("      end" + (">" if k == len(images) - 1 else ""))
    out.append("  end")
    return out


def contact_sheet(path, names, small, large):
    """Each picture at 32 and 16 on a light ground, then on a dark one."""
    cols, cell = 12, 56
    rows = (len(names) + cols - 1) // cols
    w, h = cols * cell, rows * cell
    sheet = [[(0, 0, 0, 255)] * w for _ in range(h)]
    for k in range(len(names)):
        ox, oy = (k % cols) * cell, (k // cols) * cell
        for y in range(cell):
            for x in range(cell):
                sheet[oy + y][ox + x] = (236, 238, 242, 255) if y < cell // 2 + 6 else (60, 66, 80, 255)
        for img, (px, py) in ((large[k], (4, 4)), (small[k], (40, 8)), (small[k], (40, 38))):
            for y, row in enumerate(img):
                for x, (r, g, b, a) in enumerate(row):
                    br, bg, bb, _ = sheet[oy + py + y][ox + px + x]
                    t = 255 - a
                    sheet[oy + py + y][ox + px + x] = (min(255, r + br * t // 255), min(255, g + bg * t // 255),
                                                       min(255, b + bb * t // 255), 255)
    write_png(path, sheet)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: draw_command_images.py OUTDIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    names = [name for name, pictured in read_actions() if pictured]
    small = [draw(n, 16) for n in names]
    large = [draw(n, 32) for n in names]
    lines = ["object MainForm: TMainForm"]
    lines += image_list("cxImageListSmall", 16, small)
    lines += image_list("cxImageListBig", 32, large)
    lines.append("end")
    with open(os.path.join(out, "MainImages.form"), "w", encoding="ascii") as f:
        f.write("\n".join(lines) + "\n")
    contact_sheet(os.path.join(out, "CommandImages.png"), names, small, large)


if __name__ == "__main__":
    main()

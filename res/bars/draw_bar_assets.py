#!/usr/bin/env python3
"""Draws the bar library's drag cursors and system-menu bitmaps into the folder
given as argument.

Run by the build (suite/bars/CMakeLists.txt); by hand:
    python3 res/bars/draw_bar_assets.py OUTDIR

Cursors are 32 x 32 monochrome with a transparent background, drawn with the
suite's cursor helpers. The four menu bitmaps are 16 x 16, black on magenta (the
bottom-left pixel is the transparent colour).
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "suite"))
from draw_suite_common_assets import (blank, box, cross, dot, outline, plus, pointer, put,  # noqa: E402
                                      triangle, write_bmp, write_cursor)


def toolbar_button(g, x0, y0):
    """A small raised button with a dotted face: what a dragged command looks like."""
    box(g, x0, y0, 12, 9, dotted=True)
    for x in range(x0 + 3, x0 + 9):
        put(g, x, y0 + 4, "B")


def drag_cursor():
    g = blank()
    pointer(g)
    outline(g)
    toolbar_button(g, 13, 19)
    return g, (1, 1)


def drag_copy_cursor():
    g = blank()
    pointer(g)
    outline(g)
    toolbar_button(g, 13, 19)
    box(g, 23, 12, 8, 8)
    plus(g, 26, 15, 2)
    return g, (1, 1)


def no_drop_cursor():
    g = blank()
    pointer(g)
    outline(g)
    for y in range(14, 32):
        for x in range(12, 30):
            r2 = (x - 21) ** 2 + (y - 23) ** 2
            if 30 <= r2 <= 64:
                put(g, x, y, "B")
            elif r2 < 30:
                put(g, x, y, "W")
    cross(g, 21, 23, 3)
    return g, (1, 1)


def edit_sizing_cursor():
    """A vertical bar with arrows to both sides: the edge of an edit being sized."""
    g = blank()
    for y in range(8, 25):
        put(g, 15, y, "W")
        put(g, 16, y, "W")
    for x in range(5, 27):
        put(g, x, 16, "W")
    triangle(g, 8, 16, "left", 4)
    triangle(g, 23, 16, "right", 4)
    outline(g)
    return g, (16, 16)


CURSORS = {
    "BarDrag.cur": drag_cursor,
    "BarDragCopy.cur": drag_copy_cursor,
    "BarNoDrop.cur": no_drop_cursor,
    "BarEditSizing.cur": edit_sizing_cursor,
}

MAGENTA, BLACK = (255, 0, 255), (0, 0, 0)


def glyph(draw):
    px = [[MAGENTA] * 16 for _ in range(16)]

    def set_px(x, y, colour=BLACK):
        if 0 <= x < 16 and 0 <= y < 16:
            px[y][x] = colour

    draw(set_px)
    return px


def close_glyph(p):
    for i in range(8):
        for w in (0, 1):
            p(4 + i + w, 4 + i)
            p(11 - i + w, 4 + i)


def window_frame(p, x0, y0, w, h):
    for x in range(x0, x0 + w):
        p(x, y0)
        p(x, y0 + 1)
        p(x, y0 + h - 1)
    for y in range(y0, y0 + h):
        p(x0, y)
        p(x0 + w - 1, y)


def maximize_glyph(p):
    window_frame(p, 3, 3, 10, 9)


def restore_glyph(p):
    """The window behind shows only where the one in front does not cover it."""
    window_frame(p, 6, 2, 8, 7)
    for x in range(2, 10):
        for y in range(6, 13):
            p(x, y, MAGENTA)
    window_frame(p, 2, 6, 8, 7)


def minimize_glyph(p):
    for x in range(4, 11):
        p(x, 11)
        p(x, 12)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    for name, draw in CURSORS.items():
        grid, hotspot = draw()
        write_cursor(os.path.join(out, name), grid, hotspot)
    for name, draw in (("BarMenuClose.bmp", close_glyph), ("BarMenuRestore.bmp", restore_glyph),
                       ("BarMenuMaximize.bmp", maximize_glyph), ("BarMenuMinimize.bmp", minimize_glyph)):
        write_bmp(os.path.join(out, name), glyph(draw), 24)


if __name__ == "__main__":
    main()

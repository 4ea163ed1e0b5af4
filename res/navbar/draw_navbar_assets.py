#!/usr/bin/env python3
"""Draws the navigation bar's cursors and view-10 signs into the folder given.

Run by the build (suite/navbar/CMakeLists.txt); by hand:
    python3 res/navbar/draw_navbar_assets.py OUTDIR

Cursors are 32 x 32 monochrome: the drag cursor is our pointer above a dotted
box, its hot spot on the pointer's tip (0, 0), the copy cursor adds a boxed plus, the links cursor is a pointing hand with
its hot spot on the fingertip (6, 0). The two signs are 22 x 22 with 256
colours: a magenta surround, a near-white disc with a grey rim and shadow, and
a double chevron in pure blue pixels (the program recolours those), pointing up
in the collapse sign and down in the expand sign.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "suite"))
from draw_suite_common_assets import (blank, box, drag_extra, copy_extra, outline, put,  # noqa: E402
                                      pointer_cursor, write_bmp, write_cursor)


def hand():
    """A pointing hand: one raised finger from (6, 0), three folded ones and a palm."""
    g = blank()
    for y in range(1, 12):
        for x in range(5, 8):
            put(g, x, y, "W")
    for knuckle, top in ((8, 6), (11, 7), (14, 8)):
        for y in range(top, 14):
            for x in range(knuckle, knuckle + 3):
                put(g, x, y, "W")
    for y in range(11, 21):
        for x in range(2 if y > 13 else 5, 17):
            if y > 18 and (x < 4 + (y - 19) or x > 15 - (y - 19)):
                continue
            put(g, x, y, "W")
    for y in range(10, 15):
        put(g, 2 + (14 - y) // 2, y, "W")
    outline(g)
    # The fingertip is the hot spot: keep it black on the top row.
    put(g, 6, 0, "B")
    for x in (8, 11, 14):
        put(g, x - 1, 8 + (x - 8) // 3, "B")
    return g, (6, 0)


MAGENTA, WHITE, BLUE = 0, 1, 2
# Indexes 3.. are greys from dark to light for the rim and shadow.
GREYS = [(72, 72, 72), (104, 104, 104), (136, 136, 136), (168, 168, 168), (200, 200, 200), (228, 228, 228)]
PALETTE = [(255, 0, 255), (252, 252, 252), (0, 0, 255)] + GREYS


def sign(up):
    n = 22
    px = [[MAGENTA] * n for _ in range(n)]
    cx = cy = 10.5
    for y in range(n):
        for x in range(n):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            sd2 = (x - cx - 1) ** 2 + (y - cy - 1) ** 2
            if d2 <= 8.2 ** 2:
                px[y][x] = WHITE
            elif d2 <= 9.3 ** 2:
                # The rim is darker towards the bottom right.
                shade = 2 if x + y > n else 4
                px[y][x] = 3 + shade
            elif sd2 <= 9.6 ** 2:
                px[y][x] = 3 + 5
    # Two chevrons, each a two-pixel stroke.
    for top in (6, 11):
        for i in range(4):
            for w in (0, 1):
                y = top + (3 - i if up else i)
                for x in (7 + i + w, 14 - i - w):
                    px[y][x] = BLUE
    return px


def write_cursor_resources(out, stem, grid, hotspot):
    """The .cur file and the cursor as a program makes it from data: the hot
    spot as two words, then the image of the .cur file."""
    cur = os.path.join(out, stem + ".cur")
    write_cursor(cur, grid, hotspot)
    with open(cur, "rb") as f:
        image = f.read()[6 + 16:]
    with open(os.path.join(out, stem + ".cimg"), "wb") as f:
        f.write(struct.pack("<HH", hotspot[0], hotspot[1]) + image)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    # The drag cursors point with the top-left pixel of their outline.
    write_cursor_resources(out, "NavBarDrag", pointer_cursor(drag_extra)[0], (0, 0))
    write_cursor_resources(out, "NavBarDragCopy", pointer_cursor(copy_extra)[0], (0, 0))
    write_cursor_resources(out, "NavBarLinks", *hand())
    write_bmp(os.path.join(out, "AdvCollapseSign.bmp"), sign(True), 8, PALETTE)
    write_bmp(os.path.join(out, "AdvExpandSign.bmp"), sign(False), 8, PALETTE)


if __name__ == "__main__":
    main()

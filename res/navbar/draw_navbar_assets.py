#!/usr/bin/env python3
"""Draws the navigation bar's cursors and view-10 signs into the folder given.

Run by the build (suite/navbar/CMakeLists.txt); by hand:
    python3 res/navbar/draw_navbar_assets.py OUTDIR

Cursors are 32 x 32 monochrome: the drag cursor is our pointer above a dotted
box, its hot spot on the pointer's tip (0, 0), the copy cursor adds a boxed plus, the links cursor is a pointing hand with
its hot spot on the fingertip (6, 0). The navigation pane's glyphs (overflow
chevron, splitter grip, arrows, default group icons) and the Office 11 signs
(a disc in levels of red for recolouring) are 8-bit on a magenta key. The two signs are 22 x 22 with 256
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


# The pane's glyphs: 256 colours on a magenta key.
PANE_PALETTE = [(255, 0, 255), (0, 0, 0), (255, 255, 255), (96, 96, 96), (160, 160, 160),
                (74, 118, 196), (140, 178, 232), (222, 236, 252), (232, 196, 96), (252, 228, 148)]
P_KEY, P_BLACK, P_WHITE, P_DARK, P_MID, P_BLUE, P_LIGHTBLUE, P_PALEBLUE, P_GOLD, P_PALEGOLD = range(10)


def canvas(w, h):
    return [[P_KEY] * w for _ in range(h)]


def overflow_sign():
    """13 x 17: a double chevron pointing right above a small down triangle."""
    px = canvas(13, 17)
    for left in (3, 7):
        for i in range(4):
            for y in (3 + i, 9 - i):
                px[y][left + i] = P_BLACK
                px[y][left + i - 1] = P_BLACK
    for row, half in enumerate(range(3, -1, -1)):
        for x in range(6 - half, 7 + half):
            px[11 + row][x] = P_BLACK
    return px


def splitter_grip():
    """37 x 5: a row of raised dots, a white one under and right of each dark one."""
    px = canvas(37, 5)
    for x in range(1, 36, 4):
        px[1][x] = px[1][x + 1] = px[2][x] = px[2][x + 1] = P_DARK
        px[3][x + 1] = px[2][x + 2] = px[3][x + 2] = P_WHITE
    return px


def arrow(up):
    """16 x 16: a filled triangle pointing up or down."""
    px = canvas(16, 16)
    for row in range(5):
        y = 5 + row if up else 10 - row
        for x in range(7 - row, 9 + row):
            px[y][x] = P_BLACK
    return px


def default_group_icon(n):
    """n x n: a stack of two cards, blue with a gold tab."""
    px = canvas(n, n)
    u = n / 16.0
    def fill(x0, y0, x1, y1, c):
        for y in range(int(y0 * u), int(y1 * u)):
            for x in range(int(x0 * u), int(x1 * u)):
                px[y][x] = c
    fill(3, 2, 15, 12, P_DARK)
    fill(4, 3, 14, 11, P_LIGHTBLUE)
    fill(1, 4, 13, 15, P_DARK)
    fill(2, 5, 12, 14, P_PALEBLUE)
    fill(2, 5, 12, 7, P_BLUE)
    fill(3, 9, 11, 10, P_MID)
    fill(3, 11, 9, 12, P_MID)
    fill(9, 1, 13, 3, P_GOLD)
    fill(10, 1, 12, 2, P_PALEGOLD)
    return px


# Office 11 signs: a disc shaded in levels of red (the program recolours every
# pixel that is neither the key nor black) with a black double chevron.
SIGN_LEVELS = [(v, v, v) for v in range(120, 256, 8)]
SIGN_PALETTE = [(255, 0, 255), (0, 0, 0)] + SIGN_LEVELS


def office11_sign(up):
    px = [[0] * 16 for _ in range(16)]
    for y in range(16):
        for x in range(16):
            d2 = (x - 7.5) ** 2 + (y - 7.5) ** 2
            if d2 <= 7.4 ** 2:
                # Lighter towards the top left, darker towards the bottom right.
                level = int(len(SIGN_LEVELS) - 1 - (x + y) * (len(SIGN_LEVELS) - 1) / 30.0)
                px[y][x] = 2 + max(0, min(len(SIGN_LEVELS) - 1, level))
    for top in (4, 8):
        for i in range(3):
            y = top + (2 - i if up else i)
            for x in (5 + i, 10 - i):
                px[y][x] = 1
            px[y][5 + i + 1 if 5 + i + 1 < 8 else 5 + i] = 1
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
    write_bmp(os.path.join(out, "NavPaneOverflow.bmp"), overflow_sign(), 8, PANE_PALETTE)
    write_bmp(os.path.join(out, "NavPaneSplitter.bmp"), splitter_grip(), 8, PANE_PALETTE)
    write_bmp(os.path.join(out, "NavPaneArrowUp.bmp"), arrow(True), 8, PANE_PALETTE)
    write_bmp(os.path.join(out, "NavPaneArrowDown.bmp"), arrow(False), 8, PANE_PALETTE)
    write_bmp(os.path.join(out, "NavPaneDefaultSmall.bmp"), default_group_icon(16), 8, PANE_PALETTE)
    write_bmp(os.path.join(out, "NavPaneDefaultLarge.bmp"), default_group_icon(32), 8, PANE_PALETTE)
    write_bmp(os.path.join(out, "Office11CollapseSign.bmp"), office11_sign(True), 8, SIGN_PALETTE)
    write_bmp(os.path.join(out, "Office11ExpandSign.bmp"), office11_sign(False), 8, SIGN_PALETTE)


if __name__ == "__main__":
    main()

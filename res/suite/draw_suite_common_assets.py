#!/usr/bin/env python3
"""Draws the suite's common cursors and bitmaps into the folder given as argument.

Run by the build (suite/common/CMakeLists.txt); by hand:
    python3 res/suite/draw_suite_common_assets.py OUTDIR

Cursors are 32 x 32 monochrome with a transparent background. The auto-scroll
anchors are 29 x 29 with 16 colours; the sub-menu expand arrow is 16 x 16 with
256 colours, drawn in several levels of red that the program recolours; the
expand buttons are 11 x 11.
"""
import os
import struct
import sys

# Cursor pixels: ' ' transparent, 'B' black, 'W' white.


def blank(size=32):
    return [[" "] * size for _ in range(size)]


def put(grid, x, y, c):
    if 0 <= y < len(grid) and 0 <= x < len(grid[0]):
        grid[y][x] = c


def outline(grid):
    """Black border around every white pixel, where the border is transparent."""
    size = len(grid)
    marks = []
    for y in range(size):
        for x in range(size):
            if grid[y][x] != "W":
                continue
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < size and 0 <= ny < size and grid[ny][nx] == " ":
                        marks.append((nx, ny))
    for x, y in marks:
        grid[y][x] = "B"


def pointer(grid, ox=0, oy=0):
    """Our pointer: a white wedge with a short tail, outlined in black."""
    for y in range(1, 13):
        for x in range(1, 1 + (y * 2) // 3 + 1):
            put(grid, ox + x, oy + y, "W")
    for y in range(10, 17):
        for x in range(4 + (y - 10) // 2, 7 + (y - 10) // 2):
            put(grid, ox + x, oy + y, "W")


def box(grid, x0, y0, w, h, dotted=False):
    for x in range(x0, x0 + w):
        for y in range(y0, y0 + h):
            edge = x in (x0, x0 + w - 1) or y in (y0, y0 + h - 1)
            if edge:
                on = not dotted or (x + y) % 2 == 0
                put(grid, x, y, "B" if on else "W")
            else:
                put(grid, x, y, "W")


def plus(grid, cx, cy, r):
    for d in range(-r, r + 1):
        put(grid, cx + d, cy, "B")
        put(grid, cx, cy + d, "B")


def cross(grid, cx, cy, r):
    for d in range(-r, r + 1):
        put(grid, cx + d, cy + d, "B")
        put(grid, cx + d, cy - d, "B")
        put(grid, cx + d + 1, cy + d, "B")
        put(grid, cx + d + 1, cy - d, "B")


def triangle(grid, cx, cy, direction, size, colour="W"):
    """A filled triangle whose tip points in direction, tip at distance size from (cx, cy)."""
    for i in range(size):
        half = i
        for j in range(-half, half + 1):
            if direction == "up":
                put(grid, cx + j, cy - size + i, colour)
            elif direction == "down":
                put(grid, cx + j, cy + size - i, colour)
            elif direction == "left":
                put(grid, cx - size + i, cy + j, colour)
            else:
                put(grid, cx + size - i, cy + j, colour)


def dot(grid, cx, cy, r, colour="W"):
    for y in range(-r, r + 1):
        for x in range(-r, r + 1):
            if x * x + y * y <= r * r + r:
                put(grid, cx + x, cy + y, colour)


def scroll_cursor(directions, centre_dot=True):
    g = blank()
    if centre_dot:
        dot(g, 16, 16, 2)
    for d in directions:
        if d == "up":
            triangle(g, 16, 10, "up", 5)
        elif d == "down":
            triangle(g, 16, 22, "down", 5)
        elif d == "left":
            triangle(g, 10, 16, "left", 5)
        elif d == "right":
            triangle(g, 22, 16, "right", 5)
    outline(g)
    return g, (16, 16)


def size_cursor(vertical):
    g = blank()
    if vertical:
        for y in range(6, 27):
            put(g, 16, y, "W")
        triangle(g, 16, 10, "up", 5)
        triangle(g, 16, 22, "down", 5)
        for x in range(9, 24):
            put(g, x, 15, "W")
            put(g, x, 17, "W")
    else:
        for x in range(6, 27):
            put(g, x, 16, "W")
        triangle(g, 10, 16, "left", 5)
        triangle(g, 22, 16, "right", 5)
        for y in range(9, 24):
            put(g, 15, y, "W")
            put(g, 17, y, "W")
    outline(g)
    return g, (16, 16)


def no_drop():
    g = blank()
    for y in range(32):
        for x in range(32):
            r2 = (x - 16) ** 2 + (y - 16) ** 2
            if 64 <= r2 <= 110:
                put(g, x, y, "W")
    for d in range(-8, 9):
        put(g, 16 + d, 16 + d, "W")
        put(g, 17 + d, 16 + d, "W")
    outline(g)
    return g, (16, 16)


def colour_picker():
    g = blank()
    # A pipette lying from the top right to its tip at the bottom left.
    for i in range(4, 20):
        for w in range(-1, 2):
            put(g, 3 + i + w, 28 - i, "W")
            put(g, 3 + i, 28 - i + w, "W")
    dot(g, 24, 7, 3)
    outline(g)
    put(g, 2, 29, "B")
    return g, (2, 29)


def pointer_cursor(extra=None):
    g = blank()
    pointer(g)
    outline(g)
    if extra:
        extra(g)
    return g, (1, 1)


def copy_extra(g):
    box(g, 14, 18, 11, 11)
    plus(g, 19, 23, 3)


def drag_extra(g):
    box(g, 14, 18, 11, 9, dotted=True)


def multi_extra(g):
    box(g, 17, 16, 11, 9)
    box(g, 14, 19, 11, 9)


def remove_extra(g):
    box(g, 14, 18, 11, 11)
    cross(g, 18, 23, 3)


CURSORS = {
    "CxDragCopy.cur": lambda: pointer_cursor(copy_extra),
    "CxFullScroll.cur": lambda: scroll_cursor(["up", "down", "left", "right"]),
    "CxHorScroll.cur": lambda: scroll_cursor(["left", "right"]),
    "CxVerScroll.cur": lambda: scroll_cursor(["up", "down"]),
    "CxUpScroll.cur": lambda: scroll_cursor(["up"]),
    "CxRightScroll.cur": lambda: scroll_cursor(["right"]),
    "CxDownScroll.cur": lambda: scroll_cursor(["down"]),
    "CxLeftScroll.cur": lambda: scroll_cursor(["left"]),
    "CxRemove.cur": lambda: pointer_cursor(remove_extra),
    "CxVertSize.cur": lambda: size_cursor(True),
    "CxHorzSize.cur": lambda: size_cursor(False),
    "CxMultiDrag.cur": lambda: pointer_cursor(multi_extra),
    "CxNoDrop.cur": no_drop,
    "CxDrag.cur": lambda: pointer_cursor(drag_extra),
    "CxColorPicker.cur": colour_picker,
}


def write_cursor(path, grid, hotspot):
    size = len(grid)
    xor_rows, and_rows = [], []
    for row in reversed(grid):
        xor_bits = and_bits = 0
        for x, c in enumerate(row):
            bit = 1 << (31 - x)
            if c == " ":
                and_bits |= bit
            elif c == "W":
                xor_bits |= bit
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


def write_bmp(path, pixels, bpp, palette=None):
    """pixels: rows of (r, g, b) for 24 bits, or of palette indexes for 4 and 8 bits."""
    h, w = len(pixels), len(pixels[0])
    stride = (w * bpp + 31) // 32 * 4
    body = b""
    for row in reversed(pixels):
        if bpp == 24:
            line = b"".join(bytes((b, g, r)) for r, g, b in row)
        elif bpp == 8:
            line = bytes(row)
        else:
            line = bytes(((row[x] << 4) | (row[x + 1] if x + 1 < w else 0)) for x in range(0, w, 2))
        body += line + b"\0" * (stride - len(line))
    pal = b""
    if palette:
        colours = 1 << bpp
        pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + b"\0" * 4 * (colours - len(palette))
    offset = 14 + 40 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(body), 2835, 2835,
                       (1 << bpp) if palette else 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pal + body)


ANCHOR_PALETTE = [(255, 255, 255), (0, 0, 0), (128, 128, 128), (192, 192, 192)]


def anchor(directions):
    """29 x 29: a light disc with black arrowheads around a grey centre."""
    n, c = 29, 14
    px = [[0] * n for _ in range(n)]
    for y in range(n):
        for x in range(n):
            if (x - c) ** 2 + (y - c) ** 2 <= 160:
                px[y][x] = 3
    for y in range(n):
        for x in range(n):
            if (x - c) ** 2 + (y - c) ** 2 <= 4:
                px[y][x] = 2

    def tri(direction):
        for i in range(5):
            for j in range(-i, i + 1):
                if direction == "up":
                    px[3 + i][c + j] = 1
                elif direction == "down":
                    px[n - 4 - i][c + j] = 1
                elif direction == "left":
                    px[c + j][3 + i] = 1
                else:
                    px[c + j][n - 4 - i] = 1

    for d in directions:
        tri(d)
    return px


def submenu_expand():
    """A double chevron pointing down on magenta, in four levels of red."""
    bg, levels = 0, [1, 2, 3, 4]
    palette = [(255, 0, 255), (255, 0, 0), (208, 0, 0), (160, 0, 0), (112, 0, 0)]
    px = [[bg] * 16 for _ in range(16)]
    for top in (4, 9):
        for i in range(4):
            shade = levels[i]
            for x in (4 + i, 11 - i):
                px[top + i][x] = shade
                px[top + i][x + (1 if x < 8 else -1)] = shade
    return px, palette


def expand_button(with_plus):
    grey, white, black = (128, 128, 128), (255, 255, 255), (0, 0, 0)
    px = [[white] * 11 for _ in range(11)]
    for i in range(11):
        px[0][i] = px[10][i] = px[i][0] = px[i][10] = grey
    for x in range(3, 8):
        px[5][x] = black
    if with_plus:
        for y in range(3, 8):
            px[y][5] = black
    return px


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    for name, draw in CURSORS.items():
        grid, hotspot = draw()
        write_cursor(os.path.join(out, name), grid, hotspot)
    write_bmp(os.path.join(out, "CxVerScrollAnchor.bmp"), anchor(["up", "down"]), 4, ANCHOR_PALETTE)
    write_bmp(os.path.join(out, "CxHorScrollAnchor.bmp"), anchor(["left", "right"]), 4, ANCHOR_PALETTE)
    write_bmp(os.path.join(out, "CxFullScrollAnchor.bmp"), anchor(["up", "down", "left", "right"]), 4,
              ANCHOR_PALETTE)
    px, palette = submenu_expand()
    write_bmp(os.path.join(out, "DxSubMenuExpand.bmp"), px, 8, palette)
    write_bmp(os.path.join(out, "DxExpandMinus.bmp"), expand_button(False), 24)
    write_bmp(os.path.join(out, "DxExpandPlus.bmp"), expand_button(True), 24)


if __name__ == "__main__":
    main()

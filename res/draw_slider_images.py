#!/usr/bin/env python3
"""Draws the image slider's built-in bitmaps and its two cursors into res/.

Run again after changing a drawing: python3 res/draw_slider_images.py
The bitmaps are 24-bit; magenta is the colour left out when they are drawn
(their bottom-left pixel gives it), so every corner stays magenta.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (255, 0, 255)
WHITE, LIGHT, FACE, PRESSED, SHADOW, DARK, GROOVE = (
    (255, 255, 255), (223, 223, 223), (192, 192, 192), (168, 168, 168), (128, 128, 128), (64, 64, 64), (96, 96, 96))


def write_bmp(name, pixels):
    h, w = len(pixels), len(pixels[0])
    stride = (w * 3 + 3) // 4 * 4
    body = b""
    for row in reversed(pixels):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        body += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + info + body)


def knob(w, h, pressed):
    """A raised (or, pressed, sunken) grey knob with cut corners."""
    top, bottom = (SHADOW, WHITE) if pressed else (WHITE, DARK)
    inner_top, inner_bottom = (DARK, LIGHT) if pressed else (LIGHT, SHADOW)
    face = PRESSED if pressed else FACE
    px = [[face] * w for _ in range(h)]
    for x in range(w):
        px[0][x], px[h - 1][x] = top, bottom
        px[1][x] = inner_top if 0 < x < w - 1 else px[1][x]
        px[h - 2][x] = inner_bottom if 0 < x < w - 1 else px[h - 2][x]
    for y in range(h):
        px[y][0], px[y][w - 1] = top, bottom
        if 0 < y < h - 1:
            px[y][1], px[y][w - 2] = inner_top, inner_bottom
    # A grip line across the middle.
    if w > h:
        for y in range(3, h - 3):
            px[y][w // 2 - 1], px[y][w // 2] = (SHADOW, WHITE)
    else:
        for x in range(3, w - 3):
            px[h // 2 - 1][x], px[h // 2][x] = (SHADOW, WHITE)
    for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        px[y][x] = MAGENTA
    return px


def side_by_side(a, b):
    return [ra + rb for ra, rb in zip(a, b)]


def groove(w, h, horizontal):
    px = [[GROOVE] * w for _ in range(h)]
    n = h if horizontal else w
    shades = [SHADOW, DARK] + [GROOVE] * (n - 4) + [LIGHT, WHITE]
    for y in range(h):
        for x in range(w):
            px[y][x] = shades[y if horizontal else x]
    for x, y in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        px[y][x] = MAGENTA
    return px


def write_cursor(name, rows, hotspot):
    """A 32x32 monochrome cursor: '#' black, '.' white, ' ' transparent."""
    size = 32
    rows = [r.ljust(size) for r in rows] + [" " * size] * (size - len(rows))
    xor_bits, and_bits = b"", b""
    for row in reversed(rows):
        x_line, a_line = 0, 0
        for c in row:
            x_line = (x_line << 1) | (1 if c == "." else 0)
            a_line = (a_line << 1) | (1 if c == " " else 0)
        xor_bits += x_line.to_bytes(4, "big")
        and_bits += a_line.to_bytes(4, "big")
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + xor_bits + and_bits
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, hotspot[0], hotspot[1],
                                                          len(image), 22)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(directory + image)


HAND = [
    "     ##",
    "    #..#",
    "    #..#",
    "    #..#",
    "    #..###",
    "    #..#..###",
    "    #..#..#..##",
    "### #..#..#..#.#",
    "#..##........#..#",
    "#...#...........#",
    " #..............#",
    "  #.............#",
    "  #............#",
    "   #...........#",
    "   #..........#",
    "    #.........#",
    "    #########",
]

DRAG = [
    "#",
    "##",
    "#.#",
    "#..#",
    "#...#",
    "#....#",
    "#.....#",
    "#......#",
    "#.......#",
    "#....#####",
    "#..#..#",
    "#.# #..#",
    "##  #..#  ########",
    "     #..# #......#",
    "     #..# #......#",
    "      ##  #......#",
    "          #......#",
    "          ########",
]

if __name__ == "__main__":
    write_bmp("SliderHThumb.bmp", side_by_side(knob(20, 13, False), knob(20, 13, True)))
    write_bmp("SliderHRuler.bmp", groove(10, 8, True))
    write_bmp("SliderVThumb.bmp", side_by_side(knob(13, 20, False), knob(13, 20, True)))
    write_bmp("SliderVRuler.bmp", groove(8, 10, False))
    write_cursor("SliderHand.cur", HAND, (6, 0))
    write_cursor("SliderDrag.cur", DRAG, (0, 0))

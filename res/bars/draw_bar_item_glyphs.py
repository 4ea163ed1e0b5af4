#!/usr/bin/env python3
"""Draws the glyphs of the bar library's extra items and the two font marks into
the folder given as argument.

Run by the build (suite/bars/CMakeLists.txt); by hand:
    python3 res/bars/draw_bar_item_glyphs.py OUTDIR

The item glyphs are 16 x 16 and the font marks 13 x 13, 24-bit, on magenta (the
bottom-left pixel is the transparent colour). Each picture is a character map:
every letter names a colour of PALETTE, "." is the transparent background.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "suite"))
from draw_suite_common_assets import write_bmp  # noqa: E402

PALETTE = {
    ".": (255, 0, 255),
    "k": (0, 0, 0),
    "g": (128, 128, 128),
    "s": (192, 192, 192),
    "w": (255, 255, 255),
    "r": (208, 32, 32),
    "n": (32, 160, 48),
    "b": (32, 64, 200),
    "y": (240, 200, 32),
    "c": (48, 176, 208),
    "d": (24, 40, 120),
}

COLOR_COMBO = [
    "................",
    "................",
    ".kkkkkkkkkkkkk..",
    ".krrrrkwkbbbbk..",
    ".krrrrkwkbbbbk..",
    ".krrrrkwkbbbbk..",
    ".kkkkkkwkkkkkk..",
    ".wwwwwwwwwwwwww.",
    ".kkkkkkwkkkkkk..",
    ".knnnnkwkyyyyk..",
    ".knnnnkwkyyyyk..",
    ".knnnnkwkyyyyk..",
    ".kkkkkkkkkkkkk..",
    "................",
    "................",
    "................",
]

FONT_NAME_COMBO = [
    "................",
    "................",
    "......kk........",
    "......kk........",
    ".....kkkk.......",
    ".....k..k.......",
    "....kk..kk......",
    "....k....k......",
    "...kkkkkkkk.....",
    "...k......k.....",
    "..kk......kk....",
    ".kkkk....kkkk...",
    "................",
    ".bbbbbbbbbbbbbb.",
    "................",
    "................",
]

DATE_COMBO = [
    "................",
    "..k..k...k..k...",
    ".krrkrrrrrkrrk..",
    ".krrrrrrrrrrrk..",
    ".kkkkkkkkkkkkk..",
    ".kwwwwwwwwwwwk..",
    ".kwkwkwkwkwkwk..",
    ".kwwwwwwwwwwwk..",
    ".kwkwkwkwbbwwk..",
    ".kwwwwwwwbbwwk..",
    ".kwkwkwkwkwkwk..",
    ".kwwwwwwwwwwwk..",
    ".kwkwkwkwkwwwk..",
    ".kwwwwwwwwwwwk..",
    ".kkkkkkkkkkkkk..",
    "................",
]

TREE_VIEW_COMBO = [
    "................",
    ".kkkk...........",
    ".kyyk...........",
    ".kkkk...........",
    "..g.............",
    "..g...kkkk......",
    "..ggggkcck......",
    "..g...kkkk......",
    "..g.......g.....",
    "..g.......g.kkkk",
    "..g.......ggkcck",
    "..g.........kkkk",
    "..g.............",
    "..g...kkkk......",
    "..ggggkcck......",
    "......kkkk......",
]

IMAGE_COMBO = [
    "................",
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kccccccccccyyk.",
    ".kccccccccccyyk.",
    ".kcccccccccccck.",
    ".kccccccnccccck.",
    ".kcccccnnncccck.",
    ".kccccnnnnncnck.",
    ".kcccnnnnnnnnnk.",
    ".kccnnnnnnnnnnk.",
    ".knnnnnnnnnnnnk.",
    ".kkkkkkkkkkkkkk.",
    "................",
    "................",
    "................",
]

# A font the system scales to any size: a rounded tile with a letter cut out.
SCALABLE_FONT_MARK = [
    ".............",
    "..ddddddddd..",
    ".ddddddddddd.",
    ".dwwwwwwwwwd.",
    ".dwwwwwwwwwd.",
    ".ddddwwwdddd.",
    ".ddddwwwdddd.",
    ".ddddwwwdddd.",
    ".ddddwwwdddd.",
    ".ddddwwwdddd.",
    ".ddddddddddd.",
    "..ddddddddd..",
    ".............",
]

# A font of fixed sizes: a grid of pixels in a grey frame.
FIXED_FONT_MARK = [
    ".............",
    ".ggggggggggg.",
    ".g.........g.",
    ".g..kkkk...g.",
    ".g..k...k..g.",
    ".g..k...k..g.",
    ".g..kkkk...g.",
    ".g..k...k..g.",
    ".g..k...k..g.",
    ".g..kkkk...g.",
    ".g.........g.",
    ".ggggggggggg.",
    ".............",
]

PICTURES = {
    "BarColorCombo.bmp": COLOR_COMBO,
    "BarFontNameCombo.bmp": FONT_NAME_COMBO,
    "BarDateCombo.bmp": DATE_COMBO,
    "BarTreeViewCombo.bmp": TREE_VIEW_COMBO,
    "BarImageCombo.bmp": IMAGE_COMBO,
    "BarScalableFont.bmp": SCALABLE_FONT_MARK,
    "BarFixedFont.bmp": FIXED_FONT_MARK,
}


def pixels(rows):
    width = len(rows[0])
    assert all(len(r) == width for r in rows), rows
    return [[PALETTE[ch] for ch in row] for row in rows]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    for name, rows in PICTURES.items():
        write_bmp(os.path.join(out, name), pixels(rows), 24)


if __name__ == "__main__":
    main()

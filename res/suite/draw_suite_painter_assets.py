#!/usr/bin/env python3
"""Draws the painters' indicator images into the folder given as argument.

Run by the build (suite/common/CMakeLists.txt); by hand:
    python3 res/suite/draw_suite_painter_assets.py OUTDIR

Six 8 x 9 pictures with 16 colours, black drawings on white (white is their
transparent colour): a right-pointing triangle, an I-beam, an asterisk, a dot, a
triangle with a dot, and a funnel.
"""
import os
import sys

sys.dont_write_bytecode = True  # nothing is left beside the sources
from draw_suite_common_assets import write_bmp  # noqa: E402

PALETTE = [(255, 255, 255), (0, 0, 0)]

# '#' black, '.' white; 9 rows of 8.
PICTURES = {
    "CxIndicatorArrow.bmp": [
        "........",
        "..#.....",
        "..##....",
        "..###...",
        "..####..",
        "..###...",
        "..##....",
        "..#.....",
        "........",
    ],
    "CxIndicatorEdit.bmp": [
        ".##.##..",
        "...#....",
        "...#....",
        "...#....",
        "...#....",
        "...#....",
        "...#....",
        "...#....",
        ".##.##..",
    ],
    "CxIndicatorInsert.bmp": [
        "........",
        "...#....",
        "#..#..#.",
        ".#.#.#..",
        "..###...",
        ".#.#.#..",
        "#..#..#.",
        "...#....",
        "........",
    ],
    "CxIndicatorDot.bmp": [
        "........",
        "........",
        "..###...",
        ".#####..",
        ".#####..",
        ".#####..",
        "..###...",
        "........",
        "........",
    ],
    "CxIndicatorArrowDot.bmp": [
        "........",
        "#.......",
        "##......",
        "###..##.",
        "####.##.",
        "###..##.",
        "##......",
        "#.......",
        "........",
    ],
    "CxIndicatorFilter.bmp": [
        "........",
        "#######.",
        ".#####..",
        "..###...",
        "...#....",
        "...#....",
        "...#....",
        "...##...",
        "........",
    ],
}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    for name, rows in PICTURES.items():
        assert len(rows) == 9 and all(len(r) == 8 for r in rows), name
        pixels = [[1 if c == "#" else 0 for c in row] for row in rows]
        write_bmp(os.path.join(out, name), pixels, 4, PALETTE)


if __name__ == "__main__":
    main()

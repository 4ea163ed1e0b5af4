#!/usr/bin/env python3
"""Draws the status bar's seven indicator lamps into the folder given.

Run by the build (suite/navbar/CMakeLists.txt picks up every draw_*.py here); by
hand:
    python3 res/navbar/draw_statusbar_assets.py OUTDIR

Each lamp is 17 x 8 pixels with 16 colours, drawn opaque on the button-face
grey: a rounded capsule with a dark rim, its body in the lamp's colour, a light
glint along the top left and a darker band along the bottom. The grey lamp is
the one that is off.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "suite"))
from draw_suite_common_assets import write_bmp  # noqa: E402

W, H = 17, 8
FACE, RIM, GLINT, BODY, SHADE = 0, 1, 2, 3, 4

LAMPS = {
    "Gray": (160, 160, 160),
    "Yellow": (240, 208, 32),
    "Blue": (40, 96, 232),
    "Green": (40, 184, 56),
    "Red": (224, 40, 32),
    "Teal": (24, 168, 168),
    "Purple": (152, 56, 200),
}


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def lamp():
    """Palette indexes of the capsule: rows 1 to 6, columns 1 to 15."""
    px = [[FACE] * W for _ in range(H)]
    top, bottom, left, right = 1, 6, 1, 15
    for y in range(top, bottom + 1):
        # The ends are rounded: the first and last rows are two pixels shorter.
        inset = 1 if y in (top, bottom) else 0
        for x in range(left + inset, right - inset + 1):
            edge = y in (top, bottom) or x in (left + inset, right - inset)
            px[y][x] = RIM if edge else BODY
    for x in range(left + 1, right):
        if px[bottom - 1][x] == BODY:
            px[bottom - 1][x] = SHADE
    for x in range(left + 2, left + 7):
        px[top + 1][x] = GLINT
    return px


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    face = (212, 208, 200)
    pixels = lamp()
    for name, colour in LAMPS.items():
        palette = [face, mix(colour, (0, 0, 0), 0.55), mix(colour, (255, 255, 255), 0.7), colour,
                   mix(colour, (0, 0, 0), 0.25)]
        write_bmp(os.path.join(out, "StatusLamp%s.bmp" % name), pixels, 4, palette)


if __name__ == "__main__":
    main()

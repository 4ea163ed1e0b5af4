#!/usr/bin/env python3
"""Draws the recording window's skin into res/skin/: the picture control.bmp
(138 x 193, 24-bit), its description cool.ini and the packed skin cool.skn that
the program embeds.

Run again after changing a drawing: python3 res/draw_skin.py

The picture holds, at the rectangles cool.ini names:
  the level gauge's body (0,0,19,193) and its segmented fill (21,0,40,193),
    whose gaps are magenta, the fill's transparent colour;
  four button faces of 49 x 29 (normal 44,78; hot 44,0; pressed and disabled
    share 44,30), dark enough for white captions;
  four 14 x 13 check box images (row 62: unchecked, checked, hot unchecked, hot
    checked) whose corners, and so their bottom-left pixel, are magenta;
  the volume bar's groove (99,0,117,49) and its two thumbs (120,0 and 120,26,
    18 x 23) with magenta corners.
cool.skn is the stored skin as the skin engine reads it: version 2, five empty
form-picture slots, one numbered picture (control.bmp) and the description,
zlib-packed at level 9 and prefixed by its version and size.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "skin")
W, H = 138, 193
MAGENTA = (255, 0, 255)
BACK = (38, 42, 52)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def bmp_bytes(px):
    """A bottom-up 24-bit BMP file laid out as the framework writes one."""
    h, w = len(px), len(px[0])
    stride = (w * 3 + 3) // 4 * 4
    body = b""
    for row in reversed(px):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        body += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 0, 0, 0, 0)
    return header + info + body


def fill(px, x0, y0, x1, y1, colour):
    for y in range(y0, y1):
        for x in range(x0, x1):
            px[y][x] = colour


def gauge(px):
    # Body: a sunken trough with faint marks where the segments will light.
    fill(px, 0, 0, 19, 193, (18, 20, 26))
    for y in range(193):
        px[y][0] = (10, 11, 14)
        px[y][18] = (70, 76, 90)
    for x in range(19):
        px[0][x] = (10, 11, 14)
        px[192][x] = (70, 76, 90)
    for y in range(2, 191):
        if (192 - y) % 4 != 0:
            for x in range(3, 16):
                px[y][x] = (26, 29, 37)
    # Fill: the same segments lit, green at the bottom through yellow to red.
    green, yellow, red = (60, 205, 90), (240, 205, 50), (235, 55, 45)
    fill(px, 21, 0, 40, 193, MAGENTA)
    for y in range(2, 191):
        if (192 - y) % 4 == 0:
            continue
        t = (192 - y) / 192
        base = mix(green, yellow, t / 0.7) if t < 0.7 else mix(yellow, red, (t - 0.7) / 0.3)
        for x in range(24, 37):
            edge = x in (24, 36)
            px[y][x] = mix(base, (255, 255, 255), 0.35) if x == 25 else mix(base, (0, 0, 0), 0.3) if edge else base


def button_face(px, x0, y0, top, bottom, border, highlight):
    w, h = 49, 29
    for y in range(h):
        c = mix(top, bottom, y / (h - 1))
        for x in range(w):
            px[y0 + y][x0 + x] = c
    for x in range(w):
        px[y0][x0 + x] = border
        px[y0 + h - 1][x0 + x] = border
        if 0 < x < w - 1:
            px[y0 + 1][x0 + x] = highlight
    for y in range(h):
        px[y0 + y][x0] = border
        px[y0 + y][x0 + w - 1] = border
    # Cut corners in the picture's own background.
    for cx, cy in ((0, 0), (w - 1, 0), (0, h - 1), (w - 1, h - 1)):
        px[y0 + cy][x0 + cx] = BACK


def check_box(px, x0, y0, checked, hot):
    fill(px, x0, y0, x0 + 14, y0 + 13, MAGENTA)
    frame = (235, 240, 250) if hot else (150, 160, 180)
    inner = (52, 66, 98) if hot else (28, 32, 42)
    for y in range(13):
        for x in range(13):
            corner = (x in (0, 12)) and (y in (0, 12))
            if corner:
                continue
            edge = x in (0, 12) or y in (0, 12)
            px[y0 + y][x0 + x] = frame if edge else inner
    if checked:
        mark = (120, 235, 140) if hot else (90, 210, 110)
        for i, (x, y) in enumerate([(3, 6), (4, 7), (5, 8), (6, 7), (7, 6), (8, 5), (9, 4)]):
            px[y0 + y][x0 + x] = mark
            px[y0 + y - 1][x0 + x] = mark


def track(px):
    x0 = 99
    fill(px, x0, 0, x0 + 18, 49, BACK)
    for y in range(49):
        top_end, bottom_end = y < 4, y > 44
        if top_end or bottom_end:
            continue
        for x in range(7, 11):
            px[y][x0 + x] = (12, 13, 17)
        px[y][x0 + 6] = (20, 22, 28)
        px[y][x0 + 11] = (84, 92, 110)
    for x in range(7, 11):
        px[4][x0 + x] = (20, 22, 28)
        px[44][x0 + x] = (84, 92, 110)


def thumb(px, x0, y0, hot):
    w, h = 18, 23
    light, face, dark = ((245, 248, 255), (150, 178, 225), (60, 80, 125)) if hot else (
        (225, 228, 235), (150, 156, 168), (70, 74, 84))
    for y in range(h):
        c = mix(light, face, min(1.0, y / 8)) if y < 8 else mix(face, dark, (y - 8) / (h - 9))
        for x in range(w):
            px[y0 + y][x0 + x] = c
    for x in range(w):
        px[y0][x0 + x] = light
        px[y0 + h - 1][x0 + x] = (30, 32, 38)
    for y in range(h):
        px[y0 + y][x0] = light
        px[y0 + y][x0 + w - 1] = (30, 32, 38)
    for x in range(4, 14):
        for gy in (9, 11, 13):
            px[y0 + gy][x0 + x] = dark
            px[y0 + gy + 1][x0 + x] = light
    for cx, cy in ((0, 0), (1, 0), (0, 1), (w - 1, 0), (w - 2, 0), (w - 1, 1),
                   (0, h - 1), (1, h - 1), (0, h - 2), (w - 1, h - 1), (w - 2, h - 1), (w - 1, h - 2)):
        px[y0 + cy][x0 + cx] = MAGENTA


def picture():
    px = [[BACK] * W for _ in range(H)]
    gauge(px)
    button_face(px, 44, 78, (76, 98, 142), (36, 48, 80), (16, 20, 32), (120, 140, 180))  # normal
    button_face(px, 44, 0, (98, 130, 190), (48, 70, 122), (16, 20, 32), (170, 195, 240))  # hot
    button_face(px, 44, 30, (30, 40, 66), (52, 68, 104), (10, 12, 20), (24, 30, 48))  # pressed
    check_box(px, 44, 62, False, False)
    check_box(px, 60, 62, True, False)
    check_box(px, 76, 62, False, True)
    check_box(px, 92, 62, True, True)
    track(px)
    thumb(px, 120, 0, False)
    thumb(px, 120, 26, True)
    return px


DESCRIPTION = """[VERSION]
skinname=cool
skinauthor=Sonvelt
authoremail=
authorurl=
skincomments=The recording window's own skin: level gauges, buttons, check box and volume bar.
[PICTURES]
picture=
inactivepicture=
mask=
rolluppicture=
rollupmask=
activepicturescount=1
0=control.bmp
[FORMINFO]
bgpictureindex=-1
mdibgpictureindex=-1
cursorindex=-1
[POPUPWINDOW]
windowpictureindex=-1
maskpictureindex=-1
cursorindex=-1
[HINTWINDOW]
windowpictureindex=-1
maskpictureindex=-1
fontname=Arial
fontheight=12
[SKINAREAS]
count=0
[SKINOBJECTS]
count=0
[SKINCONTROLS]
count=4
0=gauge:gauge
1=button:button
2=checkradio:checkradio
3=trackbar:trackbar
[gauge]
pictureindex=0
maskpictureindex=-1
skinrect=0,0,19,193
progressarea=0,0,19,193
progressrect=21,0,40,193
vertical=1
progresstransparent=1
progresstransparentcolor=16711935
[button]
pictureindex=0
maskpictureindex=-1
skinrect=44,78,93,107
lefttoppoint=3,5
righttoppoint=45,5
clientrect=3,5,46,25
leftstretch=1
topstretch=1
rightstretch=1
bottomstretch=1
stretcheffect=1
fontname=Tahoma
fontheight=13
fontcolor=16777215
activefontcolor=16777215
downfontcolor=16777215
disabledfontcolor=16776959
morphing=1
morphkind=mkdefault
activeskinrect=44,0,93,29
downskinrect=44,30,92,59
disabledskinrect=44,30,93,59
[checkradio]
pictureindex=0
maskpictureindex=-1
leftstretch=1
topstretch=1
rightstretch=1
bottomstretch=1
stretcheffect=1
fontname=Tahoma
fontheight=13
fontcolor=16777215
activefontcolor=16777215
unenabledfontcolor=16777215
framefontcolor=16777215
morphing=1
morphkind=mkdefault
checkimagerect=60,62,74,75
uncheckimagerect=44,62,58,75
activecheckimagerect=92,62,106,75
activeuncheckimagerect=76,62,90,75
[trackbar]
pictureindex=0
maskpictureindex=-1
skinrect=99,0,117,49
lefttoppoint=5,9
leftbottompoint=5,40
clientrect=0,0,18,49
trackarea=0,0,18,48
buttonrect=120,0,138,23
activebuttonrect=120,26,138,49
vertical=1
buttontransparent=1
buttontransparentcolor=16711935
"""


def main():
    os.makedirs(OUT, exist_ok=True)
    bmp = bmp_bytes(picture())
    ini = DESCRIPTION.replace("\n", "\r\n").encode("ascii")
    with open(os.path.join(OUT, "control.bmp"), "wb") as f:
        f.write(bmp)
    with open(os.path.join(OUT, "cool.ini"), "wb") as f:
        f.write(ini)
    package = struct.pack("<i", 2) + b"\x01" * 5 + struct.pack("<i", 1) + bmp + ini
    packed = zlib.compress(package, 9)
    with open(os.path.join(OUT, "cool.skn"), "wb") as f:
        f.write(struct.pack("<ii", 2, len(packed)) + packed)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Writes the navigation bar's four stored skins, drawn here, in skin stream
version 1.01: OFFICE12_BLUE, OFFICE12_BLACK, OFFICE12_SILVER and VISTA.

Run by the build (suite/navbar/CMakeLists.txt); by hand:
    python3 res/navbar/draw_navbar_skins.py OUTDIR
    python3 res/navbar/draw_navbar_skins.py --seeds DIR   # two small fuzzing seeds

Every element is a PNG strip with one cell per state it has (normal, hot,
pressed, checked and so on, left to right), drawn as a rounded, shaded panel in
the scheme's colours with nine-slice margins of 3 pixels.
"""
import os
import struct
import sys
import zlib

COLOR_NONE = 0x1FFFFFFF
COLOR_DEFAULT = 0x20000000
STATES = {"normal": 0, "hot": 1, "pressed": 2, "disabled": 3, "active": 4, "focused": 5, "droppeddown": 6,
          "checked": 7, "hotcheck": 8}

SCHEMES = {
    "OFFICE12_BLUE": {"base": (196, 218, 250), "deep": (101, 147, 207), "text": (21, 66, 139), "frame": (101, 147, 207)},
    "OFFICE12_BLACK": {"base": (214, 216, 221), "deep": (83, 83, 83), "text": (0, 0, 0), "frame": (76, 83, 92)},
    "OFFICE12_SILVER": {"base": (232, 234, 240), "deep": (160, 165, 180), "text": (60, 60, 60), "frame": (164, 168, 182)},
    "VISTA": {"base": (240, 245, 252), "deep": (140, 180, 225), "text": (30, 57, 91), "frame": (150, 175, 210)},
}
HOT = (255, 214, 120)
PRESSED = (250, 170, 70)

# group -> list of (element, states, width, height, image count, extra properties)
ELEMENTS = {
    "NavBar": [("Background", ["normal"], 16, 16, 1), ("GroupClient", ["normal"], 16, 16, 1),
               ("Item", ["normal", "hot", "pressed"], 16, 16, 1),
               ("GroupHeader", ["normal", "hot", "pressed"], 16, 22, 1),
               ("GroupCloseButton", ["normal", "hot", "pressed"], 16, 16, 1),
               ("GroupOpenButton", ["normal", "hot", "pressed"], 16, 16, 1),
               ("DragDropItemTarget", ["normal"], 16, 4, 1), ("Separator", ["normal"], 16, 2, 1)],
    "NavPane": [("CollapseButton", ["normal", "hot", "pressed"], 16, 16, 1),
                ("ExpandButton", ["normal", "hot", "pressed"], 16, 16, 1),
                ("CollapsedGroupClient", ["normal", "hot", "pressed", "checked", "hotcheck", "droppeddown"], 12, 12, 1),
                ("PopupBorder", ["normal"], 12, 12, 1), ("PopupSizeGrip", ["normal"], 12, 12, 1),
                ("GroupButton", ["normal", "hot", "pressed"], 16, 24, 1),
                ("GroupButtonSelected", ["normal", "hot", "pressed"], 16, 24, 1),
                ("Caption", ["normal"], 16, 24, 1), ("Splitter", ["normal"], 16, 8, 2),
                ("ScrollUpButton", ["normal", "hot", "pressed"], 16, 16, 1),
                ("ScrollDownButton", ["normal", "hot", "pressed"], 16, 16, 1),
                ("OverflowPanel", ["normal"], 16, 24, 1),
                ("OverflowPanelItem", ["normal", "hot", "pressed"], 16, 16, 2),
                ("OverflowPanelExpandItem", ["normal", "hot", "pressed", "droppeddown"], 20, 24, 1),
                ("GroupClient", ["normal"], 16, 16, 1), ("Item", ["normal", "hot", "pressed"], 16, 16, 1),
                ("ItemSelected", ["normal", "hot", "pressed"], 16, 16, 1)],
    "Bars": [("PopupMenu", ["normal"], 12, 12, 1), ("PopupMenuLinkSelected", ["normal"], 12, 12, 1),
             ("PopupMenuSeparator", ["normal"], 12, 2, 1), ("PopupMenuSideStrip", ["normal"], 12, 12, 1)],
    "Common": [("ScrollButton", ["normal", "hot", "pressed", "disabled"], 16, 16, 4),
               ("ScrollThumbVert", ["normal", "hot", "pressed", "disabled"], 16, 16, 1),
               ("ScrollContentVert", ["normal", "hot", "pressed", "disabled"], 16, 16, 1)],
}
# Content offsets: the popup's frame around the inner bar (its right side is the
# sizing edge) and the overflow row's space above and below its icons.
CONTENT_OFFSETS = {("NavPane", "PopupBorder"): (3, 3, 3, 3), ("NavPane", "OverflowPanel"): (0, 2, 0, 2)}
COLOURS = ["ContainerBorderColor", "ContainerHighlightBorderColor", "ContentColor", "ContentEvenColor",
           "ContentOddColor", "ContentTextColor", "HeaderBackgroundColor", "HeaderBackgroundTextColor",
           "LayoutControlColor", "SelectionColor", "SelectionTextColor"]


def tcolor(rgb):
    r, g, b = rgb
    return r | (g << 8) | (b << 16)


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t) for i in range(3))


def png(width, height, rows):
    """rows: lists of (r, g, b, a) tuples."""
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def cell(scheme, state, w, h, index):
    """A rounded panel shaded from the scheme's base to a deeper tone, framed."""
    top = {"hot": HOT, "pressed": PRESSED, "checked": PRESSED, "hotcheck": HOT,
           "droppeddown": PRESSED}.get(state, scheme["base"])
    bottom = mix(top, scheme["deep"], 0.45 if index == 0 else 0.7)
    rows = []
    for y in range(h):
        row = []
        shade = mix(top, bottom, y / max(1, h - 1))
        for x in range(w):
            corner = (x in (0, w - 1)) and (y in (0, h - 1))
            edge = x in (0, w - 1) or y in (0, h - 1)
            if corner:
                row.append((0, 0, 0, 0))
            elif edge:
                row.append(scheme["frame"] + (255,))
            else:
                row.append(shade + (255,))
        rows.append(row)
    return rows


# Marks drawn on the cells of buttons: (dx, dy) pixels around the cell's centre.
def chevron(direction):
    pts = []
    for k in (-2, 2):
        for i in range(-2, 3):
            d = 2 - abs(i)
            pts += {"up": [(i, k - d), (i, k - d + 1)], "down": [(i, k + d), (i, k + d - 1)],
                    "left": [(k - d, i), (k - d + 1, i)], "right": [(k + d, i), (k + d - 1, i)]}[direction]
    return pts


def triangle(direction):
    pts = []
    for row in range(3):
        for i in range(-row, row + 1):
            pts.append((i, 1 - row) if direction == "down" else (i, row - 1))
    return pts


MARKS = {"GroupOpenButton": chevron("down"), "GroupCloseButton": chevron("up"), "CollapseButton": chevron("left"),
         "ExpandButton": chevron("right"), "ScrollUpButton": triangle("up"), "ScrollDownButton": triangle("down"),
         "OverflowPanelExpandItem": chevron("right")}


def marked(rows, w, h, marks, colour):
    if not marks:
        return rows
    cx, cy = w // 2, h // 2
    for dx, dy in marks:
        x, y = cx + dx, cy + dy
        if 0 <= x < w and 0 <= y < h:
            rows[y][x] = colour + (255,)
    return rows


# Marks that differ by image index: the scroll arrows up, down, left and right.
INDEXED_MARKS = {"ScrollButton": [triangle("up"), triangle("down"),
                                  [(-y, x) for x, y in triangle("up")], [(y, x) for x, y in triangle("up")]],
                 "ScrollThumbVert": [[(x, y) for y in (-2, 0, 2) for x in range(-3, 4)]]}


def track(scheme, w, h):
    """The scroll track: flat and lighter than the thumb that runs in it."""
    flat = mix(scheme["base"], (255, 255, 255), 0.5)
    return [[(scheme["frame"] if x in (0, w - 1) else flat) + (255,) for x in range(w)] for y in range(h)]


def strip(scheme, states, w, h, count, name=""):
    def marks(i):
        return INDEXED_MARKS[name][i] if name in INDEXED_MARKS else MARKS.get(name)
    if name == "ScrollContentVert":
        cells = [track(scheme, w, h) for i in range(count) for s in states]
    else:
        cells = [marked(cell(scheme, s, w, h, i), w, h, marks(i), scheme["text"])
                 for i in range(count) for s in states]
    rows = [sum((c[y] for c in cells), []) for y in range(h)]
    return png(w * len(cells), h, rows)


def text(s):
    b = s.encode("latin-1")
    return struct.pack("<i", len(b)) + b


def rect(l, t, r, b):
    return struct.pack("<4i", l, t, r, b)


def image_record(pic, margins, states, version_102):
    bits = 0
    for s in states:
        bits |= 1 << STATES[s]
    out = rect(*margins) + struct.pack("<BHB", 0, bits, 0)
    if version_102:
        out += struct.pack("<iiB", COLOR_NONE, COLOR_NONE, 0)
    return out + struct.pack("<i", len(pic)) + pic


def prop(cls, name, value):
    return text(cls) + text(name) + value


def element(scheme, name, states, w, h, count, version_102, group):
    pic = strip(scheme, states, w, h, count, name)
    m = 3 if min(w, h) > 6 else 0
    out = text(name)
    out += struct.pack("<iBi", COLOR_DEFAULT, 255, count) + rect(*CONTENT_OFFSETS.get((group, name), (0, 0, 0, 0)))
    out += image_record(b"", (0, 0, 0, 0), [], version_102)  # no glyph
    out += image_record(pic, (m, m, m, m), states, version_102)
    for side in ("Left", "Top", "Right", "Bottom"):
        out += text("TdxSkinBorder") + text(side) + struct.pack("<ii", COLOR_NONE, 1)
    out += struct.pack("<i", tcolor(scheme["text"])) + struct.pack("<ii", 0, 0)
    props = []
    if group == "NavPane" and name == "Caption":
        props = [prop("TdxSkinIntegerProperty", "Height", struct.pack("<i", 28)),
                 prop("TdxSkinIntegerProperty", "FontSize", struct.pack("<i", 12))]
    return out + struct.pack("<i", len(props)) + b"".join(props)


def skin(name, scheme, version_102=False, groups=None):
    out = struct.pack("<i", 6) + b"dxSkin" + struct.pack("<d", 1.02 if version_102 else 1.01) + text(name)
    out += struct.pack("<i", len(COLOURS))
    for i, c in enumerate(COLOURS):
        out += text("TdxSkinColor") + text(c) + struct.pack("<i", tcolor(mix(scheme["base"], scheme["deep"], i / 12)))
    out += struct.pack("<i", 1) + prop("TdxSkinBooleanProperty", "Drawn", b"\x01")
    groups = groups or ELEMENTS
    out += struct.pack("<i", len(groups))
    for g, elems in groups.items():
        out += text(g) + struct.pack("<i", len(elems))
        for e in elems:
            out += element(scheme, *e, version_102, g)
        out += struct.pack("<i", 1) + prop("TdxSkinColor", "DisabledTextColor", struct.pack("<i", 0x808080))
    return out


def main():
    if len(sys.argv) > 2 and sys.argv[1] == "--seeds":
        os.makedirs(sys.argv[2], exist_ok=True)
        small = {"NavBar": ELEMENTS["NavBar"][:2]}
        for version_102 in (False, True):
            data = skin("Seed", SCHEMES["VISTA"], version_102, small)
            with open(os.path.join(sys.argv[2], "seed-%s.skin" % ("102" if version_102 else "101")), "wb") as f:
                f.write(data)
        return
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(out, exist_ok=True)
    for name, scheme in SCHEMES.items():
        stored = name.title().replace("Office12_", "Office12_") if name != "VISTA" else "Vista"
        with open(os.path.join(out, name + ".skin"), "wb") as f:
            f.write(skin(stored, scheme))


if __name__ == "__main__":
    main()

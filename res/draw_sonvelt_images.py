#!/usr/bin/env python3
"""Draws Sonvelt's own pictures into res/: the splash (8-bit, magenta where the
window is cut away), the About artwork, the program icon and the PNG glyphs of the
transport, zoom and time-display buttons, of the progress window and of the CD
database button, and of the batch converter's file list.

Run again after changing a drawing: python3 res/draw_sonvelt_images.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (255, 0, 255)

# A 5 x 7 pixel font for the few capitals the pictures spell.
FONT = {
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    " ": ["00000"] * 7,
}


def text_mask(text, scale):
    """The set of pixels (x, y) that spell text at the given scale."""
    pts = set()
    for i, ch in enumerate(text):
        for row, bits in enumerate(FONT[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            pts.add((i * 6 * scale + col * scale + dx, row * scale + dy))
    return pts, (len(text) * 6 - 1) * scale, 7 * scale


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def wave(x, width, height, phase=0.0):
    """A made-up but lively waveform envelope: the half height at column x."""
    t = x / width
    env = 0.25 + 0.75 * abs(math.sin(t * math.pi * 3.1 + phase)) * (0.6 + 0.4 * math.sin(t * 17.0 + phase))
    fine = 0.55 + 0.45 * abs(math.sin(t * 91.0 + phase * 2))
    return max(1.0, env * fine * height)


def in_rounded_rect(x, y, w, h, r):
    cx = min(max(x, r), w - 1 - r)
    cy = min(max(y, r), h - 1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def draw_banner(w, h, radius, title_scale, subtitle):
    """The artwork shared by the splash and the About box: a rounded dark-blue card
    with a waveform and the program name; magenta outside the card."""
    top, bottom = (18, 42, 86), (6, 14, 32)
    px = [[MAGENTA] * w for _ in range(h)]
    for y in range(h):
        band = mix(top, bottom, (y // 4 * 4) / max(1, h - 1))
        for x in range(w):
            if in_rounded_rect(x, y, w, h, radius):
                px[y][x] = band
    mid = int(h * 0.68)
    for x in range(radius // 2, w - radius // 2):
        half = wave(x, w, h * 0.2)
        for y in range(int(mid - half), int(mid + half) + 1):
            if 0 <= y < h and px[y][x] != MAGENTA:
                d = abs(y - mid) / half
                px[y][x] = mix((120, 220, 255), (40, 130, 218), round(min(1.0, d) * 12) / 12)
    for x in range(radius // 2, w - radius // 2):
        if px[mid][x] != MAGENTA:
            px[mid][x] = (200, 240, 255)
    pts, tw, th = text_mask("SONVELT", title_scale)
    ox, oy = (w - tw) // 2, int(h * 0.14)
    for x, y in pts:
        px[oy + y][ox + x] = (255, 255, 255)
    if subtitle:
        pts, sw, sh = text_mask(subtitle, max(1, title_scale // 3))
        sx, sy = (w - sw) // 2, oy + th + title_scale * 2
        for x, y in pts:
            px[sy + y][sx + x] = (150, 200, 240)
    return px


def write_bmp8(name, pixels):
    """An 8-bit palette bitmap (the pictures use far fewer than 256 colours)."""
    h, w = len(pixels), len(pixels[0])
    palette = []
    index = {}
    for row in pixels:
        for c in row:
            if c not in index:
                index[c] = len(palette)
                palette.append(c)
    assert len(palette) <= 256, (name, len(palette))
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + b"\0" * 4 * (256 - len(palette))
    stride = (w + 3) // 4 * 4
    body = b"".join(bytes(index[c] for c in row) + b"\0" * (stride - w) for row in reversed(pixels))
    offset = 14 + 40 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(body), 2835, 2835, 256, 0)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(header + info + pal + body)


def render_rgba(size, shape, colour, samples=4):
    """Anti-aliased rendering: shape(x, y) in 0..1 coordinates says inside or not;
    colour(x, y) gives the RGB there."""
    out = []
    for py in range(size):
        row = []
        for px_ in range(size):
            hits = 0
            for sy in range(samples):
                for sx in range(samples):
                    if shape((px_ + (sx + 0.5) / samples) / size, (py + (sy + 0.5) / samples) / size):
                        hits += 1
            a = round(255 * hits / (samples * samples))
            r, g, b = colour((px_ + 0.5) / size, (py + 0.5) / size)
            row.append((r, g, b, a))
        out.append(row)
    return out


def write_png(path, rgba):
    """An RGBA PNG file; a bare name lands beside this script."""
    h, w = len(rgba), len(rgba[0])
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rgba)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(os.path.join(HERE, path), "wb") as f:
        f.write(png)


# Shapes in the unit square.
def tri_right(x0, x1, y0, y1):
    return lambda x, y: x0 <= x <= x1 and abs(y - (y0 + y1) / 2) <= (y1 - y0) / 2 * (x1 - x) / (x1 - x0)


def tri_left(x0, x1, y0, y1):
    return lambda x, y: x0 <= x <= x1 and abs(y - (y0 + y1) / 2) <= (y1 - y0) / 2 * (x - x0) / (x1 - x0)


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def vertical(top, bottom):
    return lambda x, y: mix(top, bottom, y)


BLUE = vertical((70, 150, 235), (20, 70, 160))
RED = vertical((240, 80, 70), (160, 20, 20))
GREY = vertical((110, 120, 135), (50, 55, 65))

TRANSPORT = {
    "GlyphPlay.png": (tri_right(0.25, 0.8, 0.18, 0.82), BLUE),
    "GlyphRecord.png": (circle(0.5, 0.5, 0.3), RED),
    "GlyphPause.png": (union(rect(0.25, 0.2, 0.42, 0.8), rect(0.58, 0.2, 0.75, 0.8)), BLUE),
    "GlyphStop.png": (rect(0.24, 0.24, 0.76, 0.76), BLUE),
    "GlyphStart.png": (union(rect(0.18, 0.22, 0.27, 0.78), tri_left(0.27, 0.55, 0.22, 0.78),
                             tri_left(0.52, 0.8, 0.22, 0.78)), BLUE),
    "GlyphRewind.png": (union(tri_left(0.18, 0.5, 0.22, 0.78), tri_left(0.48, 0.8, 0.22, 0.78)), BLUE),
    "GlyphForward.png": (union(tri_right(0.2, 0.52, 0.22, 0.78), tri_right(0.5, 0.82, 0.22, 0.78)), BLUE),
    "GlyphEnd.png": (union(tri_right(0.2, 0.48, 0.22, 0.78), tri_right(0.45, 0.73, 0.22, 0.78),
                           rect(0.73, 0.22, 0.82, 0.78)), BLUE),
}

LENS = ring(0.42, 0.42, 0.24, 0.34)
HANDLE = lambda x, y: 0.58 <= x <= 0.92 and 0.58 <= y <= 0.92 and abs((x - 0.58) - (y - 0.58)) <= 0.09
ZOOM = {
    "GlyphZoomIn.png": union(LENS, HANDLE, rect(0.3, 0.38, 0.54, 0.46), rect(0.38, 0.3, 0.46, 0.54)),
    "GlyphZoomOut.png": union(LENS, HANDLE, rect(0.3, 0.38, 0.54, 0.46)),
    "GlyphZoomSelection.png": union(rect(0.1, 0.15, 0.2, 0.85), rect(0.8, 0.15, 0.9, 0.85),
                                    rect(0.1, 0.15, 0.3, 0.25), rect(0.1, 0.75, 0.3, 0.85),
                                    rect(0.7, 0.15, 0.9, 0.25), rect(0.7, 0.75, 0.9, 0.85),
                                    rect(0.35, 0.42, 0.65, 0.58)),
    "GlyphZoomFull.png": union(rect(0.2, 0.44, 0.8, 0.56), tri_left(0.05, 0.3, 0.25, 0.75),
                               tri_right(0.7, 0.95, 0.25, 0.75)),
}

TIME = {
    # A cursor line with a flag, and a bracketed span.
    "GlyphTimeStart.png": union(rect(0.3, 0.1, 0.4, 0.9), tri_right(0.4, 0.8, 0.1, 0.5)),
    "GlyphTimeSelection.png": union(rect(0.1, 0.1, 0.2, 0.9), rect(0.8, 0.1, 0.9, 0.9),
                                    rect(0.2, 0.4, 0.8, 0.6)),
}


# A disc and a magnifying glass over it: looking the disc up.
CDDB_DISC = ring(0.4, 0.4, 0.07, 0.37)
CDDB_LENS = union(ring(0.68, 0.68, 0.12, 0.2),
                  lambda x, y: 0.8 <= x <= 0.97 and 0.8 <= y <= 0.97 and abs(x - y) <= 0.06)


def cddb_shape(x, y):
    return CDDB_LENS(x, y) or (CDDB_DISC(x, y) and (x - 0.68) ** 2 + (y - 0.68) ** 2 > 0.23 ** 2)


def cddb_colour(x, y):
    return BLUE(x, y) if (x - 0.68) ** 2 + (y - 0.68) ** 2 <= 0.23 ** 2 or (x > 0.8 and y > 0.8) else GREY(x, y)


# The recording window's six buttons, 24 x 24: record, pause, delete, timed
# recording, the system mixer and the silence-skipping settings.
def segment(x0, y0, x1, y1, width):
    """A thick line from (x0, y0) to (x1, y1)."""
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= (width / 2) ** 2
    return inside


def sliders(x, y):
    """Three mixer faders: rails with knobs at different heights."""
    for cx, knob in ((0.25, 0.35), (0.5, 0.65), (0.75, 0.45)):
        if abs(x - cx) <= 0.03 and 0.12 <= y <= 0.88:
            return True
        if abs(x - cx) <= 0.1 and abs(y - knob) <= 0.06:
            return True
    return False


def silence(x, y):
    """A waveform that stops: a few bars, then a flat line."""
    bars = ((0.14, 0.3), (0.26, 0.18), (0.38, 0.26), (0.5, 0.1))
    for cx, half in bars:
        if abs(x - cx) <= 0.04 and abs(y - 0.5) <= half:
            return True
    return 0.55 <= x <= 0.88 and abs(y - 0.5) <= 0.03


GREEN = vertical((110, 215, 120), (30, 130, 50))
RECORDING = {
    "GlyphRecRecord.png": (circle(0.5, 0.5, 0.32), RED),
    "GlyphRecPause.png": (union(rect(0.24, 0.2, 0.42, 0.8), rect(0.58, 0.2, 0.76, 0.8)), BLUE),
    "GlyphRecDelete.png": (union(segment(0.24, 0.24, 0.76, 0.76, 0.16), segment(0.76, 0.24, 0.24, 0.76, 0.16)), RED),
    "GlyphRecTimer.png": (union(ring(0.5, 0.54, 0.3, 0.4), segment(0.5, 0.54, 0.5, 0.32, 0.08),
                                segment(0.5, 0.54, 0.66, 0.62, 0.08), rect(0.42, 0.04, 0.58, 0.12)), BLUE),
    "GlyphRecMixer.png": (sliders, vertical((235, 238, 245), (150, 158, 172))),
    "GlyphRecSilence.png": (silence, GREEN),
}


def waveform_shape(x, y):
    if not (0.12 <= x <= 0.88):
        return False
    half = 0.08 + 0.3 * abs(math.sin(x * 9.0)) * (0.5 + 0.5 * abs(math.sin(x * 23.0)))
    return abs(y - 0.5) <= half


# A sheet with a folded corner and a waveform on it: an audio file of the batch list.
def audio_file_shape(x, y):
    return 0.14 <= x <= 0.86 and 0.03 <= y <= 0.97 and not (x > 0.6 and y < 0.03 + (x - 0.6))


def audio_file_colour(x, y):
    edge = min(x - 0.14, 0.86 - x, y - 0.03, 0.97 - y, abs((x - 0.6) - (y - 0.03)) if x > 0.55 and y < 0.35 else 1)
    if edge < 0.08:
        return GREY(x, y)
    if 0.28 <= x <= 0.72 and abs(y - 0.6) <= 0.04 + 0.17 * abs(math.sin(x * 15.0)):
        return BLUE(x, y)
    return (250, 250, 250)


def write_icon(name, sizes):
    """A 32-bit icon: a rounded blue square with a white waveform."""
    images = []
    for s in sizes:
        card = render_rgba(s, lambda x, y: in_rounded_rect(x * 100, y * 100, 100, 100, 18), BLUE)
        wav = render_rgba(s, waveform_shape, lambda x, y: (255, 255, 255))
        px = []
        for crow, wrow in zip(card, wav):
            row = []
            for (r, g, b, a), (_, _, _, wa) in zip(crow, wrow):
                t = wa / 255
                row.append((round(r + (255 - r) * t), round(g + (255 - g) * t), round(b + (255 - b) * t), a))
            px.append(row)
        xor = b"".join(b"".join(bytes((b, g, r, a)) for r, g, b, a in row) for row in reversed(px))
        mask_stride = ((s + 31) // 32) * 4
        mask = b"\0" * mask_stride * s
        info = struct.pack("<IiiHHIIiiII", 40, s, s * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((s, info + xor + mask))
    head = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for s, data in images:
        entries += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(head + entries + b"".join(d for _, d in images))


def main():
    write_bmp8("Splash.bmp", draw_banner(392, 212, 24, 6, "AUDIO EDITOR"))
    about = draw_banner(120, 200, 12, 2, "")
    # The About box shows the artwork on a white panel: no cut-away there.
    about = [[(255, 255, 255) if c == MAGENTA else c for c in row] for row in about]
    write_bmp8("About.bmp", about)
    write_icon("Sonvelt.ico", [16, 32, 48])
    for name, (shape, colour) in TRANSPORT.items():
        write_png(name, render_rgba(32, shape, colour))
    for name, shape in ZOOM.items():
        write_png(name, render_rgba(16, shape, GREY))
    for name, shape in TIME.items():
        write_png(name, render_rgba(16, shape, BLUE))
    write_png("GlyphProgress.png", render_rgba(32, waveform_shape, BLUE))
    write_png("GlyphCDDB.png", render_rgba(24, cddb_shape, cddb_colour))
    write_png("GlyphAudioFile.png", render_rgba(16, audio_file_shape, audio_file_colour))
    for name, (shape, colour) in RECORDING.items():
        write_png(name, render_rgba(24, shape, colour))


if __name__ == "__main__":
    main()

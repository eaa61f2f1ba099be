#!/usr/bin/env python3
"""Generates the glyph button's resources: the kind pictures (18x18, 19x19 for the
silly kind, 16 colours), the popup mark (5x3), the hand cursor (32x32, two colours
with a mask, hot spot at the top-left corner) and the hover sound (PCM, mono,
22050 samples per second, 16 bits, 2578 bytes). Run it from this folder."""
import math
import struct
import zlib

# The standard 16-colour palette.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GRAY, RED, LIME, YELLOW, BLUE, FUCHSIA, AQUA, WHITE = range(16)
BG = OLIVE  # the transparent colour: every picture's bottom-left pixel


def write_bmp4(path, pixels):
    h = len(pixels)
    w = len(pixels[0])
    row_bytes = ((w + 1) // 2 + 3) // 4 * 4
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for x in range(0, w, 2):
            hi = row[x]
            lo = row[x + 1] if x + 1 < w else 0
            line.append((hi << 4) | lo)
        line += bytes(row_bytes - len(line))
        data += line
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + data)


def canvas(w, h):
    return [[BG] * w for _ in range(h)]


def put(c, x, y, color):
    if 0 <= y < len(c) and 0 <= x < len(c[0]):
        c[y][x] = color


def line(c, x0, y0, x1, y1, color, thick=2):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        x = round(x0 + (x1 - x0) * i / steps)
        y = round(y0 + (y1 - y0) * i / steps)
        for dx in range(thick):
            for dy in range(thick):
                put(c, x + dx, y + dy, color)


def disc(c, cx, cy, r, color, ring=None):
    for y in range(len(c)):
        for x in range(len(c[0])):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r:
                c[y][x] = color
            if ring is not None and r - 1.3 <= d <= r:
                c[y][x] = ring


def picture(kind, hot, size=18):
    c = canvas(size, size)
    main = {"da": GREEN, "iksic": RED, "pomoc": BLUE, "ne": MAROON, "exit": PURPLE, "retri": TEAL,
            "igno": NAVY, "sve": GREEN, "glupi": OLIVE}[kind]
    light = {"da": LIME, "iksic": RED, "pomoc": AQUA, "ne": RED, "exit": FUCHSIA, "retri": AQUA,
             "igno": BLUE, "sve": LIME, "glupi": YELLOW}[kind]
    ink = light if hot else GRAY
    edge = BLACK
    if kind == "da":  # a tick
        line(c, 2, 9, 6, 13, ink, 3)
        line(c, 6, 13, 14, 3, ink, 3)
        line(c, 2, 11, 6, 15, edge, 1)
        line(c, 6, 15, 15, 4, edge, 1)
    elif kind == "iksic":  # a cross
        line(c, 3, 3, 13, 13, ink, 3)
        line(c, 13, 3, 3, 13, ink, 3)
        line(c, 3, 16, 15, 4, edge, 1)
    elif kind == "pomoc":  # a question mark in a disc
        disc(c, 9, 9, 8, WHITE if hot else SILVER, edge)
        for (x, y) in [(7, 5), (8, 4), (9, 4), (10, 4), (11, 5), (11, 6), (10, 7), (9, 8), (9, 9), (9, 12)]:
            put(c, x, y, main)
            put(c, x, y + 1 if y == 12 else y, main)
    elif kind == "ne":  # a barred disc
        disc(c, 9, 9, 8, ink, edge)
        disc(c, 9, 9, 5, BG)
        line(c, 4, 13, 13, 4, edge, 2)
    elif kind == "exit":  # a door with an arrow
        for y in range(2, 17):
            for x in range(3, 10):
                c[y][x] = ink
        line(c, 3, 2, 3, 16, edge, 1)
        line(c, 9, 2, 9, 16, edge, 1)
        line(c, 3, 2, 9, 2, edge, 1)
        line(c, 10, 9, 16, 9, edge, 1)
        line(c, 13, 6, 16, 9, edge, 1)
        line(c, 13, 12, 16, 9, edge, 1)
    elif kind == "retri":  # a circular arrow
        for a in range(30, 330, 6):
            r = math.radians(a)
            put(c, round(9 + 6 * math.cos(r)), round(9 - 6 * math.sin(r)), ink)
            put(c, round(9 + 5 * math.cos(r)), round(9 - 5 * math.sin(r)), edge)
        line(c, 13, 2, 15, 6, edge, 1)
        line(c, 11, 6, 15, 6, edge, 1)
    elif kind == "igno":  # a long dash
        for y in range(7, 11):
            for x in range(2, 16):
                c[y][x] = ink
        line(c, 2, 11, 15, 11, edge, 1)
    elif kind == "sve":  # three stacked ticks
        for off in (0, 5, 10):
            line(c, 2, 3 + off, 4, 5 + off, ink, 2)
            line(c, 4, 5 + off, 8, 1 + off, ink, 2)
            line(c, 10, 3 + off, 16, 3 + off, edge, 1)
    elif kind == "glupi":  # a grinning face
        disc(c, 9.5, 9.5, 9, YELLOW if hot else SILVER, edge)
        put(c, 6, 7, edge)
        put(c, 13, 7, edge)
        for x in range(5, 15):
            put(c, x, 13 - (1 if x in (5, 14) else 0), edge)
    # Keep the transparent colour in the bottom-left pixel.
    c[size - 1][0] = BG
    return c


KINDS = [("da", "dagqexb", "daqexb"), ("iksic", "iksicgqexb", "iksicqexb"), ("pomoc", "pomocgqexb", "pomocqexb"),
         ("ne", "negqexb", "neqexb"), ("exit", "exitgqexb", "exitqexb"), ("retri", "retrigqexb", "retriqexb"),
         ("igno", "ignogqexb", "ignoqexb"), ("sve", "svegqexb", "sveqexb"), ("glupi", "glupigqexb", "glupiqexb")]


def write_png_rgba(path, w, h, rgba):
    raw = b"".join(b"\x00" + bytes(rgba[y * w * 4:(y + 1) * w * 4]) for y in range(h))

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def hand_cursor(path):
    # A pointing hand: the index finger's tip is the hot spot (0, 0).
    w = h = 32
    inside = set()
    for y in range(0, 14):
        for x in range(0, 5):
            inside.add((x, y))
    for y in range(9, 26):
        for x in range(0, 15):
            if not (y < 11 and x > 12):
                inside.add((x, y))
    for (x0, x1, y0) in [(5, 8, 7), (8, 11, 8), (11, 14, 9)]:  # knuckles of the other fingers
        for y in range(y0, 12):
            for x in range(x0, x1):
                inside.add((x, y))
    for y in range(17, 22):  # the thumb
        for x in range(15, 19):
            inside.add((x, y))
    rgba = bytearray(w * h * 4)
    for y in range(h):
        for x in range(w):
            if (x, y) not in inside:
                continue
            border = any((x + dx, y + dy) not in inside for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            v = 0 if border or x == 0 or y == 0 else 255
            rgba[(y * w + x) * 4:(y * w + x) * 4 + 4] = bytes((v, v, v, 255))
    write_png_rgba(path, w, h, rgba)


def hover_sound(path):
    # A short wooden tick: 1267 samples of a decaying two-tone burst.
    rate, samples = 22050, 1267
    data = bytearray()
    for i in range(samples):
        t = i / rate
        env = math.exp(-t * 90.0)
        v = 0.55 * env * (math.sin(2 * math.pi * 1750 * t) + 0.4 * math.sin(2 * math.pi * 3100 * t))
        data += struct.pack("<h", max(-32767, min(32767, int(v * 32767))))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate * 2, 2, 16)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    wav = b"RIFF" + struct.pack("<I", len(body)) + body
    assert len(wav) == 2578, len(wav)
    with open(path, "wb") as f:
        f.write(wav)


def main():
    for kind, normal, hot in KINDS:
        size = 19 if kind == "glupi" else 18
        write_bmp4(normal + ".bmp", picture(kind, False, size))
        write_bmp4(hot + ".bmp", picture(kind, True, size))
    mark = [[BG] * 5 for _ in range(3)]
    for x in range(5):
        mark[0][x] = BLACK
    for x in range(1, 4):
        mark[1][x] = BLACK
    mark[2][2] = BLACK
    mark[2][0] = BG
    write_bmp4("strela.bmp", mark)
    hand_cursor("handqexb.png")
    hover_sound("preko.wav")


if __name__ == "__main__":
    main()

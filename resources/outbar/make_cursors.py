#!/usr/bin/env python3
"""Writes the three 32x32 monochrome drag pointers as XBM pairs (picture, mask).

OUTDRAGMOVE: an arrow with its tip at (16, 8) and a small sheet below and right of it.
OUTDRAGCOPY: the same with a small plus sign at its lower left.
OUTNODROP:   a circle with a diagonal bar around the hot spot (8, 8).
In the picture a set bit is black; in the mask a set bit is opaque.
"""
import os

SIZE = 32


def blank():
    return [[0] * SIZE for _ in range(SIZE)]


def arrow(pic, mask, tx, ty):
    # A classic arrow: 11 rows of widening body, then the tail.
    body = 11
    for r in range(body + 1):
        for c in range(r + 1):
            x, y = tx + c, ty + r
            mask[y][x] = 1
            edge = c == 0 or c == r or r == body
            pic[y][x] = 1 if edge else 0
    for r in range(5):  # tail going down and right
        for c in range(2):
            x, y = tx + 4 + r // 2 + c, ty + body + r
            mask[y][x] = 1
            pic[y][x] = 1


def sheet(pic, mask, x0, y0, w, h):
    for y in range(y0, y0 + h):
        for x in range(x0, x0 + w):
            mask[y][x] = 1
            pic[y][x] = 1 if (x in (x0, x0 + w - 1) or y in (y0, y0 + h - 1)) else 0
    for y in range(y0 + 3, y0 + h - 2, 2):  # text lines on the sheet
        for x in range(x0 + 2, x0 + w - 2):
            pic[y][x] = 1


def plus(pic, mask, cx, cy):
    for d in range(-3, 4):
        for t in (-1, 0, 1):
            for (x, y) in ((cx + d, cy + t), (cx + t, cy + d)):
                mask[y][x] = 1
                pic[y][x] = 0
    for d in range(-2, 3):
        pic[cy][cx + d] = 1
        pic[cy + d][cx] = 1


def no_drop(pic, mask, cx, cy, radius):
    for y in range(SIZE):
        for x in range(SIZE):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            ring = (radius - 2) ** 2 <= d2 <= radius ** 2
            bar = abs((x - cx) - (y - cy)) <= 1 and d2 <= radius ** 2
            if ring or bar:
                pic[y][x] = 1
            if ring or bar or (radius - 3) ** 2 <= d2 <= (radius + 1) ** 2:
                mask[y][x] = 1


def write_xbm(path, name, bits, hot=None):
    lines = [f"#define {name}_width {SIZE}", f"#define {name}_height {SIZE}"]
    if hot:
        lines += [f"#define {name}_x_hot {hot[0]}", f"#define {name}_y_hot {hot[1]}"]
    data = []
    for row in bits:
        for byte in range(SIZE // 8):
            v = 0
            for bit in range(8):
                if row[byte * 8 + bit]:
                    v |= 1 << bit
            data.append(f"0x{v:02x}")
    body = ",\n".join(", ".join(data[i:i + 12]) for i in range(0, len(data), 12))
    lines.append(f"static unsigned char {name}_bits[] = {{\n{body}\n}};")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    shapes = {}
    pic, mask = blank(), blank()
    arrow(pic, mask, 16, 8)
    sheet(pic, mask, 20, 22, 9, 8)
    shapes["OUTDRAGMOVE"] = (pic, mask, (16, 8))
    pic, mask = blank(), blank()
    arrow(pic, mask, 16, 8)
    sheet(pic, mask, 20, 22, 9, 8)
    plus(pic, mask, 9, 25)
    shapes["OUTDRAGCOPY"] = (pic, mask, (16, 8))
    pic, mask = blank(), blank()
    no_drop(pic, mask, 8, 8, 7)
    shapes["OUTNODROP"] = (pic, mask, (8, 8))
    for name, (pic, mask, hot) in shapes.items():
        write_xbm(os.path.join(here, name + ".xbm"), name, pic, hot)
        write_xbm(os.path.join(here, name + "_mask.xbm"), name + "_mask", mask)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Paints the pictures that the seed database registers for common report
words (the picture registry, table データ) and writes them as PNG files
into site/files/pictures/, one file per word (CB.png, TCU.png, ...).

Each picture is a small sky scene, 200 x 140 pixels, built from filled
shapes over a background; each pixel is sampled 3 x 3 times, so edges are
smoothed. Only the standard library is used.

    scripts/make_seed_pictures.py [output folder]
"""

import math
import os
import random
import struct
import sys
import zlib

WIDTH, HEIGHT = 200, 140
SUB = 3  # samples per pixel along each axis


# ------------------------------------------------------------------ shapes
# A shape is a function (x, y) -> bool over pixel coordinates.

def disk(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def poly(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                hit = not hit
        return hit
    return inside


def segment(xa, ya, xb, yb, width):
    dx, dy = xb - xa, yb - ya
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / length2))
        px, py = xa + t * dx, ya + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def cloud(puffs, base_y):
    """A heap of round puffs cut flat at its base."""
    body = union(*(disk(cx, cy, r) for cx, cy, r in puffs))
    return lambda x, y: y <= base_y and body(x, y)


# ----------------------------------------------------------------- painting
# A layer is (shape, colour function (x, y) -> (r, g, b)).

def flat(colour):
    return lambda x, y: colour


def vertical(top, bottom, y0=0, y1=HEIGHT):
    def colour(x, y):
        t = max(0.0, min(1.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return colour


def shaded_cloud(light, dark, y0, y1):
    return vertical(light, dark, y0, y1)


def render(background, layers):
    rows = []
    for j in range(HEIGHT):
        row = bytearray()
        for i in range(WIDTH):
            acc = [0.0, 0.0, 0.0]
            for sj in range(SUB):
                for si in range(SUB):
                    x = i + (si + 0.5) / SUB
                    y = j + (sj + 0.5) / SUB
                    c = background(x, y)
                    for shape, colour in layers:
                        if shape(x, y):
                            c = colour(x, y)
                    for k in range(3):
                        acc[k] += c[k]
            row.extend(int(round(a / (SUB * SUB))) for a in acc)
        rows.append(bytes(row))
    return rows


def png(rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    raw = b"".join(b"\x00" + r for r in rows)
    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


# ----------------------------------------------------------------- pictures

SKY = vertical((70, 130, 210), (170, 205, 240))
GROUND = (rect(0, 128, WIDTH, HEIGHT), flat((90, 120, 70)))


def cumulonimbus():
    anvil = poly([(40, 30), (160, 30), (190, 20), (185, 34), (130, 42), (70, 42), (15, 34), (10, 22)])
    tower = union(poly([(70, 40), (130, 40), (150, 110), (50, 110)]),
                  cloud([(62, 100, 20), (100, 92, 26), (140, 100, 20), (85, 70, 18), (118, 66, 18),
                         (100, 48, 16)], 112))
    rain = union(*(segment(60 + 10 * k, 112, 52 + 10 * k, 128, 1.5) for k in range(9)))
    bolt = poly([(108, 108), (98, 120), (104, 120), (94, 134), (114, 116), (107, 116), (114, 108)])
    dark = vertical((110, 110, 120), (55, 55, 65), 20, 112)
    return vertical((60, 70, 95), (120, 125, 140)), [
        (rain, flat((150, 160, 180))),
        (tower, dark),
        (anvil, vertical((205, 205, 212), (150, 150, 160), 20, 42)),
        (bolt, flat((255, 230, 60))),
    ]


def towering_cumulus():
    body = cloud([(60, 112, 22), (100, 104, 28), (140, 112, 22), (82, 80, 20), (118, 78, 20),
                  (100, 56, 20), (92, 36, 16), (110, 30, 14)], 118)
    return SKY, [GROUND, (body, shaded_cloud((255, 255, 255), (175, 180, 195), 16, 118))]


def fog():
    hills = union(ellipse(50, 130, 70, 30), ellipse(160, 135, 80, 35))
    trees = union(*(poly([(x, 118 - h), (x - 7, 124), (x + 7, 124)]) for x, h in
                    [(30, 24), (48, 18), (130, 26), (150, 20), (172, 22)]))
    layers = [(hills, flat((110, 130, 110))), (trees, flat((80, 105, 85)))]
    background = vertical((200, 205, 210), (225, 228, 230))
    for k in range(6):
        y = 30 + 18 * k
        band = union(segment(10 + 9 * (k % 3), y, 190 - 11 * (k % 2), y, 7))
        layers.append((band, flat((238, 240, 242))))
    return background, layers


def rain():
    body = cloud([(50, 60, 22), (90, 48, 30), (135, 56, 26), (165, 64, 18)], 70)
    random.seed(7)
    drops = union(*(segment(x, y, x - 4, y + 12, 2.0) for x, y in
                    ((random.uniform(30, 180), random.uniform(74, 114)) for _ in range(34))))
    return vertical((120, 135, 160), (170, 180, 195)), [
        GROUND, (drops, flat((60, 100, 200))), (body, shaded_cloud((190, 195, 205), (110, 115, 130), 20, 70))]


def snow():
    body = cloud([(50, 60, 22), (90, 48, 30), (135, 56, 26), (165, 64, 18)], 70)
    random.seed(11)
    flakes = []
    for _ in range(22):
        cx, cy = random.uniform(30, 180), random.uniform(80, 120)
        for a in range(3):
            ang = math.pi * a / 3
            dx, dy = 5 * math.cos(ang), 5 * math.sin(ang)
            flakes.append(segment(cx - dx, cy - dy, cx + dx, cy + dy, 1.6))
    return vertical((150, 160, 180), (200, 205, 215)), [
        (rect(0, 124, WIDTH, HEIGHT), flat((245, 247, 250))),
        (union(*flakes), flat((255, 255, 255))),
        (body, shaded_cloud((230, 232, 238), (160, 165, 178), 20, 70))]


PICTURES = {
    "CB": cumulonimbus,
    "TCU": towering_cumulus,
    "FG": fog,
    "RA": rain,
    "SN": snow,
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "site", "files", "pictures")
    os.makedirs(out, exist_ok=True)
    for word, scene in PICTURES.items():
        background, layers = scene()
        with open(os.path.join(out, word + ".png"), "wb") as f:
            f.write(png(render(background, layers)))


if __name__ == "__main__":
    main()

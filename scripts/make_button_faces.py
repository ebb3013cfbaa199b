#!/usr/bin/env python3
"""Paints the 18 faces of the main window's image buttons, 16 x 16 pixels,
each in colour and as a grey rendering of the same picture, and writes them
as PNG files into src/mainwin/icons/ (button_NN.png, button_NN_grey.png).

Every face is a stack of filled shapes; each pixel is sampled 4 x 4 times,
so edges are smoothed. Only the standard library is used.

    scripts/make_button_faces.py [output folder]
"""

import math
import os
import struct
import sys
import zlib

SIZE = 16
SUB = 4  # samples per pixel along each axis


# ------------------------------------------------------------------ shapes
# A shape is a function (x, y) -> bool over pixel coordinates, where pixel
# (i, j) covers [i, i + 1) x [j, j + 1).

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rrect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def disk(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1, a0=0.0, a1=360.0):
    """Annulus between radii r0 and r1, angles a0..a1 in degrees counted
    anticlockwise from the right as seen on screen."""
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not (r0 * r0 <= d2 <= r1 * r1):
            return False
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360.0
        lo, hi = a0 % 360.0, a1 % 360.0
        if a1 - a0 >= 360.0:
            return True
        return lo <= a <= hi if lo <= hi else (a >= lo or a <= hi)
    return inside


def poly(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            xa, ya = points[i]
            xb, yb = points[(i + 1) % n]
            if (ya > y) != (yb > y):
                if x < xa + (y - ya) * (xb - xa) / (yb - ya):
                    hit = not hit
        return hit
    return inside


def seg(xa, ya, xb, yb, w):
    """A stroke of width w from (xa, ya) to (xb, yb) with round ends."""
    def inside(x, y):
        dx, dy = xb - xa, yb - ya
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / length2))
        px, py = xa + t * dx, ya + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (w / 2) ** 2
    return inside


def outline(points, w, closed=True):
    """The edges of a polygon (or a polyline) stroked with width w."""
    n = len(points)
    parts = [seg(*points[i], *points[(i + 1) % n], w) for i in range(n if closed else n - 1)]
    return lambda x, y: any(p(x, y) for p in parts)


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def rotated(points, cx, cy, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in points]


# ------------------------------------------------------------------ painting

def paint(layers):
    """layers: (shape, (r, g, b)) painted in order; a colour of None erases."""
    pixels = [[(0.0, 0.0, 0.0, 0.0)] * SIZE for _ in range(SIZE)]
    for shape, colour in layers:
        for j in range(SIZE):
            for i in range(SIZE):
                hits = 0
                for sj in range(SUB):
                    for si in range(SUB):
                        if shape(i + (si + 0.5) / SUB, j + (sj + 0.5) / SUB):
                            hits += 1
                if hits == 0:
                    continue
                cover = hits / (SUB * SUB)
                r, g, b, a = pixels[j][i]
                if colour is None:
                    pixels[j][i] = (r, g, b, a * (1.0 - cover))
                    continue
                # Source over destination, with premultiplied sums.
                out_a = cover + a * (1.0 - cover)
                mix = [(colour[k] * cover + (r, g, b)[k] * a * (1.0 - cover)) / out_a for k in range(3)]
                pixels[j][i] = (mix[0], mix[1], mix[2], out_a)
    return pixels


def grey(pixels):
    """The same picture in grey: the luminance of each pixel, lifted a little
    so that the face reads as inactive."""
    out = []
    for row in pixels:
        new_row = []
        for r, g, b, a in row:
            y = 0.299 * r + 0.587 * g + 0.114 * b
            v = 70 + y * (255 - 70) / 255
            new_row.append((v, v, v, a))
        out.append(new_row)
    return out


def write_png(path, pixels):
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((round(r), round(g), round(b), round(a * 255)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


# ------------------------------------------------------------------ colours

BLACK = (20, 20, 20)
DARK = (70, 70, 70)
GREY = (140, 140, 140)
LIGHT = (205, 205, 205)
WHITE = (255, 255, 255)
RED = (225, 40, 35)
DARK_RED = (130, 10, 10)
GREEN = (40, 170, 50)
DARK_GREEN = (10, 95, 20)
BLUE = (45, 110, 215)
DARK_BLUE = (15, 45, 120)
LIGHT_BLUE = (150, 195, 245)
YELLOW = (255, 205, 30)
ORANGE = (235, 140, 20)
BROWN = (165, 100, 45)
DARK_BROWN = (90, 50, 20)
PINK = (245, 130, 150)
BEIGE = (245, 230, 200)


# ------------------------------------------------------------------ faces

def exit_door():
    door = rect(1.5, 1.5, 8.5, 14.5)
    arrow = [(5.5, 6.5), (10.5, 6.5), (10.5, 3.5), (15.0, 8.0), (10.5, 12.5), (10.5, 9.5), (5.5, 9.5)]
    return [
        (door, DARK_BROWN),
        (rect(2.5, 2.5, 7.5, 13.5), BROWN),
        (disk(4.0, 8.0, 0.9), YELLOW),
        (outline(arrow, 1.2), DARK_GREEN),
        (poly(arrow), GREEN),
    ]


def floppy():
    body = [(1.5, 1.5), (12.5, 1.5), (14.5, 3.5), (14.5, 14.5), (1.5, 14.5)]
    return [
        (poly(body), BLUE),
        (outline(body, 1.0), DARK_BLUE),
        (rect(4.5, 1.5, 11.5, 6.0), LIGHT),
        (rect(9.0, 2.5, 10.5, 5.0), DARK_BLUE),
        (rect(3.5, 8.5, 12.5, 14.0), WHITE),
        (rect(5.0, 10.2, 11.0, 10.9), GREY),
        (rect(5.0, 12.0, 11.0, 12.7), GREY),
    ]


def printer():
    return [
        (rect(3.5, 1.0, 12.5, 6.5), DARK),
        (rect(4.5, 2.0, 11.5, 6.5), WHITE),
        (rrect(0.5, 5.5, 15.5, 12.0, 1.5), DARK),
        (rrect(1.5, 6.5, 14.5, 11.0, 1.0), LIGHT),
        (disk(12.5, 8.2, 0.9), GREEN),
        (rect(3.5, 9.5, 12.5, 15.0), DARK),
        (rect(4.5, 10.0, 11.5, 14.0), WHITE),
        (rect(5.5, 11.2, 10.5, 11.8), GREY),
        (rect(5.5, 12.6, 9.0, 13.2), GREY),
    ]


def stop():
    octagon = [(5.0, 1.0), (11.0, 1.0), (15.0, 5.0), (15.0, 11.0), (11.0, 15.0), (5.0, 15.0), (1.0, 11.0),
               (1.0, 5.0)]
    inner = [(5.4, 2.0), (10.6, 2.0), (14.0, 5.4), (14.0, 10.6), (10.6, 14.0), (5.4, 14.0), (2.0, 10.6),
             (2.0, 5.4)]
    return [
        (poly(octagon), DARK_RED),
        (poly(inner), RED),
        (rect(3.5, 6.7, 12.5, 9.3), WHITE),
    ]


def start():
    triangle = [(3.5, 1.5), (14.0, 8.0), (3.5, 14.5)]
    return [
        (poly(triangle), GREEN),
        (outline(triangle, 1.3), DARK_GREEN),
    ]


def reload():
    cx, cy, r = 8.0, 8.5, 5.0
    end = 35.0  # where the arrow head sits, degrees
    a = math.radians(end)
    px, py = cx + r * math.cos(a), cy - r * math.sin(a)
    nx, ny = math.cos(a), -math.sin(a)           # outwards
    tx, ty = -math.sin(a), -math.cos(a)          # along the turn (anticlockwise)
    head = [(px + 3.0 * nx, py + 3.0 * ny), (px - 3.0 * nx, py - 3.0 * ny), (px + 3.6 * tx, py + 3.6 * ty)]
    return [
        (ring(cx, cy, r - 2.0, r + 2.0, end + 8.0, end + 290.0), DARK_BLUE),
        (ring(cx, cy, r - 1.1, r + 1.1, end + 8.0, end + 290.0), BLUE),
        (poly(rotated(head, px, py, 0)), BLUE),
        (outline(head, 0.9), DARK_BLUE),
    ]


def eraser():
    # A block tilted up to the right: a pink rubber end and a blue sleeve.
    cx, cy, length, width, angle = 8.5, 7.0, 13.0, 6.0, -40.0
    def block(t0, t1):
        pts = [(cx - length / 2 + t0 * length, cy - width / 2), (cx - length / 2 + t1 * length, cy - width / 2),
               (cx - length / 2 + t1 * length, cy + width / 2), (cx - length / 2 + t0 * length, cy + width / 2)]
        return rotated(pts, cx, cy, angle)
    whole = block(0.0, 1.0)
    return [
        (rect(1.0, 14.2, 9.0, 15.0), GREY),
        (poly(block(0.0, 0.42)), PINK),
        (poly(block(0.42, 1.0)), BLUE),
        (outline(whole, 1.0), DARK),
        (outline(block(0.42, 0.42), 1.0), DARK),
    ]


def scroll_bar():
    return [
        (rect(4.0, 0.5, 12.0, 15.5), DARK),
        (rect(5.0, 1.5, 11.0, 14.5), LIGHT),
        (rect(5.0, 4.2, 11.0, 4.8), GREY),
        (rect(5.0, 11.2, 11.0, 11.8), GREY),
        (poly([(8.0, 1.8), (10.3, 3.9), (5.7, 3.9)]), BLACK),
        (poly([(8.0, 14.2), (10.3, 12.1), (5.7, 12.1)]), BLACK),
        (rect(5.6, 5.6, 10.4, 8.8), BLUE),
        (outline([(5.6, 5.6), (10.4, 5.6), (10.4, 8.8), (5.6, 8.8)], 0.7), DARK_BLUE),
    ]


def bold():
    upper = rrect(3.0, 1.5, 11.8, 8.2, 3.2)
    lower = rrect(3.0, 7.2, 13.0, 14.5, 3.5)
    stem = rect(3.0, 1.5, 7.0, 14.5)
    letter = minus(union(upper, lower, stem),
                   union(rrect(7.0, 4.0, 9.2, 6.0, 1.0), rrect(7.0, 9.6, 10.2, 12.1, 1.1)))
    return [(letter, BLACK)]


def gear():
    teeth = []
    for k in range(8):
        teeth.append(poly(rotated([(6.9, 0.6), (9.1, 0.6), (9.1, 4.0), (6.9, 4.0)], 8.0, 8.0, k * 45.0)))
    body = union(disk(8.0, 8.0, 5.4), *teeth)
    return [
        (body, DARK),
        (minus(disk(8.0, 8.0, 4.4), disk(8.0, 8.0, 2.0)), (120, 135, 160)),
        (disk(8.0, 8.0, 2.0), None),
    ]


def update():
    shaft = rect(6.3, 0.8, 9.7, 6.5)
    head = [(2.5, 6.0), (13.5, 6.0), (8.0, 11.6)]
    tray = [(1.5, 9.0), (1.5, 14.5), (14.5, 14.5), (14.5, 9.0)]
    return [
        (outline(tray, 1.8, closed=False), DARK),
        (union(shaft, poly(head)), DARK_GREEN),
        (union(rect(7.2, 1.6, 8.8, 7.0), poly([(4.6, 6.9), (11.4, 6.9), (8.0, 10.3)])), GREEN),
    ]


def command_list():
    layers = [
        (rect(1.0, 0.5, 15.0, 15.5), GREY),
        (rect(2.0, 1.5, 14.0, 14.5), WHITE),
    ]
    for y in (3.0, 6.5, 10.0):
        layers.append((rect(3.2, y, 5.2, y + 2.0), BLUE))
        layers.append((rect(6.5, y + 0.4, 12.8, y + 1.6), DARK))
    return layers


def weather():
    rays = []
    for k in range(8):
        a = math.radians(k * 45.0)
        rays.append(seg(5.5 + 4.3 * math.cos(a), 5.5 + 4.3 * math.sin(a),
                        5.5 + 5.6 * math.cos(a), 5.5 + 5.6 * math.sin(a), 1.2))
    def cloud(grow):
        return union(disk(7.8, 11.2, 2.6 + grow), disk(11.0, 9.3, 3.0 + grow), disk(13.3, 12.0, 2.2 + grow),
                     rect(7.8 - grow, 11.5 - grow, 13.3 + grow, 14.2 + grow))
    return [
        (union(*rays), ORANGE),
        (disk(5.5, 5.5, 3.6), ORANGE),
        (disk(5.5, 5.5, 2.8), YELLOW),
        (cloud(0.9), (95, 115, 140)),
        (cloud(0.0), WHITE),
    ]


def house():
    roof = [(0.5, 8.3), (8.0, 1.0), (15.5, 8.3)]
    return [
        (rect(10.8, 2.0, 12.8, 6.5), DARK_RED),
        (rect(2.5, 7.0, 13.5, 15.0), DARK),
        (rect(3.5, 7.5, 12.5, 14.0), BEIGE),
        (rect(6.8, 10.0, 9.3, 14.0), BROWN),
        (poly(roof), RED),
        (outline(roof, 1.0), DARK_RED),
    ]


def question():
    hook = ring(8.0, 6.0, 1.5, 3.4, -60.0, 165.0)
    stem = union(seg(9.3, 8.3, 8.0, 9.4, 1.9), rect(7.05, 9.0, 8.95, 10.4))
    return [
        (disk(8.0, 8.0, 7.5), DARK_BLUE),
        (disk(8.0, 8.0, 6.5), BLUE),
        (union(hook, stem), WHITE),
        (disk(8.0, 12.4, 1.15), WHITE),
    ]


def close_x():
    return [
        (union(seg(3.0, 3.0, 13.0, 13.0, 4.4), seg(13.0, 3.0, 3.0, 13.0, 4.4)), DARK_RED),
        (union(seg(3.0, 3.0, 13.0, 13.0, 2.6), seg(13.0, 3.0, 3.0, 13.0, 2.6)), RED),
    ]


BACK_ARROW = [(1.0, 8.0), (7.8, 1.5), (7.8, 5.3), (15.0, 5.3), (15.0, 10.7), (7.8, 10.7), (7.8, 14.5)]


def back():
    return [
        (poly(BACK_ARROW), BLUE),
        (outline(BACK_ARROW, 1.1), DARK_BLUE),
    ]


def forward():
    mirrored = [(16.0 - x, y) for x, y in BACK_ARROW]
    return [
        (poly(mirrored), BLUE),
        (outline(mirrored, 1.1), DARK_BLUE),
    ]


FACES = [exit_door, floppy, printer, stop, start, reload, eraser, scroll_bar, bold, gear, update, command_list,
         weather, house, question, close_x, back, forward]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "src", "mainwin", "icons")
    os.makedirs(folder, exist_ok=True)
    for index, face in enumerate(FACES):
        pixels = paint(face())
        write_png(os.path.join(folder, "button_%02d.png" % index), pixels)
        write_png(os.path.join(folder, "button_%02d_grey.png" % index), grey(pixels))


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Draws the editor toolbar's button images and writes them as 32-bit BMP strips.

Each image is drawn on a 16-unit grid. Straight edges are snapped to whole pixels at every
size, so the 16, 24 and 32 pixel strips (96, 144 and 192 dpi) stay crisp; only slanted and
round edges are anti-aliased. Run it after changing a drawing; the .bmp files are committed so
that a build needs no Python:  python3 editor_images.py
"""
import math
import os
import struct

# The order of the images in each strip; the code refers to them by these positions.
ORDER = ["cut", "copy", "paste", "undo", "redo", "color", "bold", "italic", "underline",
         "align_left", "align_center", "align_right", "indent_less", "indent_more", "insert"]

INK = (40, 40, 40)
PAPER = (255, 255, 255)
EDGE = (96, 96, 104)
BLUE = (30, 90, 190)
RED = (210, 30, 30)
BROWN = (150, 100, 50)
STEEL = (120, 130, 150)


class Canvas:
    def __init__(self, size):
        self.n = size
        self.s = size / 16.0
        self.px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def blend(self, x, y, color, cover):
        if cover <= 0 or not (0 <= x < self.n and 0 <= y < self.n):
            return
        r, g, b, a = self.px[y][x]
        ca = min(1.0, cover)
        na = ca + a / 255.0 * (1 - ca)
        if na <= 0:
            return
        mix = [(c * ca + o * (a / 255.0) * (1 - ca)) / na for c, o in zip(color, (r, g, b))]
        self.px[y][x] = (round(mix[0]), round(mix[1]), round(mix[2]), round(na * 255))

    def snap(self, v):
        return int(round(v * self.s))

    def rect(self, x0, y0, x1, y1, color):
        """Fills the grid rectangle [x0,x1) x [y0,y1), edges snapped to pixels."""
        X0, Y0, X1, Y1 = self.snap(x0), self.snap(y0), self.snap(x1), self.snap(y1)
        X1, Y1 = max(X1, X0 + 1), max(Y1, Y0 + 1)
        for y in range(Y0, Y1):
            for x in range(X0, X1):
                self.blend(x, y, color, 1.0)

    def hline(self, x0, x1, y, color, w=1):
        self.rect(x0, y, x1, y + self.width(w) / self.s, color)

    def width(self, w):
        return max(1, int(round(w * self.s)))

    def frame(self, x0, y0, x1, y1, color, fill=None):
        w = self.width(1) / self.s
        if fill:
            self.rect(x0, y0, x1, y1, fill)
        self.rect(x0, y0, x1, y0 + w, color)
        self.rect(x0, y1 - w, x1, y1, color)
        self.rect(x0, y0, x0 + w, y1, color)
        self.rect(x1 - w, y0, x1, y1, color)

    def shape(self, inside, color, box=None):
        """Anti-aliased fill of the points (in grid units) for which inside(x, y) holds."""
        k = 4
        for py in range(self.n):
            for qx in range(self.n):
                hits = 0
                for sy in range(k):
                    for sx in range(k):
                        gx = (qx + (sx + 0.5) / k) / self.s
                        gy = (py + (sy + 0.5) / k) / self.s
                        hits += inside(gx, gy)
                self.blend(qx, py, color, hits / (k * k))

    def poly(self, points, color):
        def inside(x, y):
            c = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    c = not c
                j = i
            return c
        self.shape(inside, color)

    def ring(self, cx, cy, r, w, color, a0=0, a1=360):
        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            if abs(d - r) > w / 2:
                return False
            ang = math.degrees(math.atan2(cy - y, x - cx)) % 360
            return (a0 <= ang <= a1) if a0 <= a1 else (ang >= a0 or ang <= a1)
        self.shape(inside, color)

    def disc(self, cx, cy, r, color):
        self.shape(lambda x, y: math.hypot(x - cx, y - cy) <= r, color)


def text_lines(c, lefts, rights):
    for i, (l, r) in enumerate(zip(lefts, rights)):
        c.hline(l, r, 3 + 3 * i, INK)


def draw(name, c):
    if name == "cut":
        c.poly([(4, 1), (5.6, 1), (10.6, 9.5), (9, 10.2)], STEEL)
        c.poly([(12, 1), (10.4, 1), (5.4, 9.5), (7, 10.2)], STEEL)
        c.ring(4.5, 12, 2.2, 1.5, INK)
        c.ring(11.5, 12, 2.2, 1.5, INK)
    elif name == "copy":
        c.frame(1, 1, 9, 11, EDGE, PAPER)
        c.frame(6, 5, 15, 15, EDGE, PAPER)
        for y in (8, 10, 12):
            c.hline(8, 13, y, BLUE)
    elif name == "paste":
        c.frame(1, 2, 12, 15, BROWN, (230, 200, 150))
        c.rect(4, 1, 9, 4, EDGE)
        c.frame(7, 6, 15, 15, EDGE, PAPER)
        for y in (9, 11):
            c.hline(9, 13, y, BLUE)
    elif name == "undo":
        c.ring(8.5, 9, 4.5, 2.0, BLUE, 290, 90)
        c.poly([(2.5, 4.5), (8.5, 0.5), (8.5, 8.5)], BLUE)
    elif name == "redo":
        c.ring(7.5, 9, 4.5, 2.0, BLUE, 90, 250)
        c.poly([(13.5, 4.5), (7.5, 0.5), (7.5, 8.5)], BLUE)
    elif name == "color":
        c.poly([(7, 1), (9, 1), (13.5, 11), (11.5, 11), (8, 3.5), (4.5, 11), (2.5, 11)], INK)
        c.rect(5, 7, 11, 8.5, INK)
        c.rect(1, 12, 15, 15, RED)
    elif name == "bold":
        c.rect(3, 2, 6, 14, INK)
        c.rect(3, 2, 10, 4, INK)
        c.rect(3, 7, 11, 9, INK)
        c.rect(3, 12, 11, 14, INK)
        c.rect(9, 3, 11, 7, INK)
        c.rect(10, 8, 13, 13, INK)
        c.rect(11, 9, 12, 12, INK)
    elif name == "italic":
        c.rect(6, 2, 12, 3.5, INK)
        c.rect(4, 12.5, 10, 14, INK)
        c.poly([(8, 3), (10, 3), (8, 13), (6, 13)], INK)
    elif name == "underline":
        c.rect(3, 2, 6, 10, INK)
        c.rect(10, 2, 13, 10, INK)
        c.rect(4, 10, 12, 12, INK)
        c.rect(2, 14, 14, 15, INK)
    elif name.startswith("align_"):
        widths = [12, 8, 12, 8]
        for i, w in enumerate(widths):
            x0 = {"align_left": 2, "align_center": 8 - w / 2, "align_right": 14 - w}[name]
            c.hline(x0, x0 + w, 3 + 3 * i, INK, 1.5)
    elif name.startswith("indent_"):
        for i in range(4):
            x0 = 2 if i in (0, 3) else 8
            c.hline(x0, 14, 3 + 3 * i, INK, 1.5)
        if name == "indent_more":
            c.poly([(2, 6), (6, 8.5), (2, 11)], BLUE)
        else:
            c.poly([(6, 6), (2, 8.5), (6, 11)], BLUE)
    elif name == "insert":
        c.frame(2, 1, 12, 15, EDGE, PAPER)
        c.disc(5.5, 6, 1.5, RED)
        c.disc(10, 11, 1.5, RED)
        c.poly([(10, 4), (11.5, 4), (6, 13), (4.5, 13)], RED)
    else:
        raise ValueError(name)


def write_bmp(path, size, images):
    width = size * len(images)
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = bytearray()
        for img in images:
            for x in range(size):
                r, g, b, a = img.px[y][x]
                row += bytes((b, g, r, a))
        rows.append(bytes(row))
    data = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, width, size, 1, 32, 0, len(data), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(header + info + data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for size in (16, 24, 32):
        images = []
        for name in ORDER:
            c = Canvas(size)
            draw(name, c)
            images.append(c)
        write_bmp(os.path.join(here, "editor_images_%d.bmp" % size), size, images)


if __name__ == "__main__":
    main()

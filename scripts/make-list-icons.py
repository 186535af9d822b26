#!/usr/bin/python3
# Draws the row icons of the question and collection lists into res/bitmaps/: a question card
# (175 small, 177 small highlighted, 118 large, 166 large highlighted, 329 extra) and a
# collection folder (174 small, 181 small open, 149 large, 184 large open), and the pin on the index
# of an exam question with a fixed position (474, 32 by 32, drawn at the rows' icon size). Plain Python: the
# shapes are filled rectangles and lines on a 16 by 16 grid, scaled for the 32 by 32 ones.
# The pictures are committed; run this after a change of the shapes.
# Usage: scripts/make-list-icons.py [out-dir]
import os
import struct
import sys
import zlib

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
NONE = (0, 0, 0, 0)
EDGE = (40, 60, 120, 255)
PAPER = (255, 255, 255, 255)
LINE = (150, 165, 205, 255)
TICK = (20, 140, 90, 255)
GOLD = (236, 178, 46, 255)
FOLDER = (222, 180, 80, 255)
FOLDER_DARK = (150, 110, 30, 255)
FOLDER_LIGHT = (250, 220, 140, 255)
PIN = (210, 40, 40, 255)
PIN_DARK = (120, 20, 20, 255)
PIN_LIGHT = (250, 150, 150, 255)
NEEDLE = (90, 90, 90, 255)


def png(pixels, size):
    raw = b''.join(b'\0' + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


class Canvas:
    def __init__(self, size):
        self.size = size
        self.scale = size // 16
        self.px = [[NONE] * size for _ in range(size)]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills grid cells x0..x1, y0..y1 (inclusive, 16-grid units)."""
        s = self.scale
        for y in range(y0 * s, (y1 + 1) * s):
            for x in range(x0 * s, (x1 + 1) * s):
                if 0 <= x < self.size and 0 <= y < self.size:
                    self.px[y][x] = colour

    def frame(self, x0, y0, x1, y1, edge, fill):
        self.rect(x0, y0, x1, y1, edge)
        self.rect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)


def question(size, highlighted):
    c = Canvas(size)
    c.frame(2, 1, 13, 14, EDGE, PAPER)
    c.frame(4, 3, 6, 5, EDGE, GOLD if highlighted else PAPER)
    for y in (4, 8, 11):
        c.rect(8 if y == 4 else 4, y, 11, y, LINE)
    if highlighted:
        c.rect(13, 1, 14, 2, GOLD)
    return c


def extra(size):
    c = Canvas(size)
    c.frame(3, 3, 12, 12, EDGE, PAPER)
    c.rect(5, 7, 10, 8, TICK)
    c.rect(7, 5, 8, 10, TICK)
    return c


def folder(size, opened):
    c = Canvas(size)
    c.rect(1, 3, 6, 4, FOLDER_DARK)
    c.frame(1, 4, 14, 13, FOLDER_DARK, FOLDER)
    c.rect(3, 6, 12, 6, PAPER)  # sheets inside
    if opened:
        c.frame(3, 7, 15, 13, FOLDER_DARK, FOLDER_LIGHT)
    return c


def pin(size):
    c = Canvas(size)
    c.frame(5, 1, 10, 6, PIN_DARK, PIN)
    c.rect(6, 2, 7, 3, PIN_LIGHT)
    c.rect(4, 7, 11, 8, PIN_DARK)
    c.rect(7, 9, 8, 14, NEEDLE)
    return c


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'res', 'bitmaps')
    icons = {
        175: question(16, False), 177: question(16, True), 118: question(32, False), 166: question(32, True),
        329: extra(16), 174: folder(16, False), 181: folder(16, True), 149: folder(32, False), 184: folder(32, True),
        474: pin(32),
    }
    for ident, canvas in icons.items():
        with open(os.path.join(out, '%d.png' % ident), 'wb') as f:
            f.write(png(canvas.px, canvas.size))


if __name__ == '__main__':
    main()

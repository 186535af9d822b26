#!/usr/bin/python3
# Draws the exam icons into res/bitmaps/: an exam form (712 plain, 713 current, 714 selected, 32 by
# 32; 715 to 717 the same at 16 by 16), a sheet with a title band and rows of answer boxes in the
# colours of the question icons (700 to 705), and the marks drawn over a linked exam question's
# icon in its bottom-left corner: a chain (718 large, 719 small) and, for a question whose source
# has changed since, an exclamation mark (720 large, 721 small). The pictures are committed; run
# this after a change of the shapes.
# Usage: scripts/make-exam-icons.py [out-dir]
import importlib.util
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location('list_icons', os.path.join(HERE, 'make-list-icons.py'))
list_icons = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(list_icons)

NONE = (0, 0, 0, 0)
WHITE = (255, 255, 255, 255)
# Sheet colours by state, as the question icons have them: fill, edge, rules.
STATES = [
    ((255, 255, 255, 255), (40, 40, 40, 255), (110, 110, 110, 255)),
    ((255, 236, 140, 255), (40, 40, 40, 255), (110, 110, 110, 255)),
    ((40, 90, 200, 255), (10, 30, 90, 255), (235, 240, 255, 255)),
]
BAND = (20, 130, 120, 255)
BAND_ON_BLUE = (120, 220, 200, 255)
LINK = (20, 130, 80, 255)
LINK_EDGE = (10, 70, 40, 255)
STALE = (235, 120, 20, 255)
STALE_EDGE = (140, 60, 0, 255)


class Pixels:
    def __init__(self, size):
        self.size = size
        self.px = [[NONE] * size for _ in range(size)]

    def rect(self, x0, y0, x1, y1, colour):
        """Fills pixels x0..x1, y0..y1 (inclusive)."""
        for y in range(max(y0, 0), min(y1, self.size - 1) + 1):
            for x in range(max(x0, 0), min(x1, self.size - 1) + 1):
                self.px[y][x] = colour

    def outline(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)


def sheet(c, left, top, right, bottom, fold, fill, edge):
    """A sheet with its top-right corner folded by fold pixels, as the question icons draw it."""
    for y in range(top, bottom + 1):
        r = right if y - top > fold else right - fold + (y - top) - (1 if y == top else 0)
        if y in (top, bottom):
            c.rect(left, y, r, y, edge)
        else:
            c.rect(left, y, left, y, edge)
            c.rect(left + 1, y, r - 1, y, fill)
            c.rect(r, y, r, y, edge)


def form(size, state):
    fill, edge, rule = STATES[state]
    band = BAND_ON_BLUE if state == 2 else BAND
    c = Pixels(size)
    if size == 32:
        sheet(c, 6, 2, 24, 28, 4, fill, edge)
        c.rect(9, 5, 19, 8, band)                     # the form's title
        for y in (13, 18, 23):                         # answer boxes and their lines
            c.outline(9, y - 1, 11, y + 1, rule)
            c.rect(14, y, 21, y, rule)
    else:
        sheet(c, 3, 1, 12, 14, 2, fill, edge)
        c.rect(5, 3, 9, 4, band)
        for y in (7, 10):
            c.rect(5, y, 6, y + 1, rule)
            c.rect(8, y, 10, y, rule)
        c.rect(8, 12, 10, 12, rule)
    return c


def ring(c, x0, y0, x1, y1, colour):
    """A link of a chain: an outline with its corners cut."""
    c.rect(x0 + 1, y0, x1 - 1, y0, colour)
    c.rect(x0 + 1, y1, x1 - 1, y1, colour)
    c.rect(x0, y0 + 1, x0, y1 - 1, colour)
    c.rect(x1, y0 + 1, x1, y1 - 1, colour)


def badge(c, x0, y0, x1, y1, fill, edge):
    """The ground of a mark: a square with its corners cut."""
    c.rect(x0, y0, x1, y1, fill)
    ring(c, x0, y0, x1, y1, edge)


# The marks stand in the bottom-left corner of the icon they are drawn over.
def capsule(c, ax, ay, bx, by, radius, width, colour, clip):
    """The outline of a capsule round the segment from (ax, ay) to (bx, by), a link of a chain,
    inside the clip rectangle (x0, y0, x1, y1); edge pixels are mixed with what is under them by
    how much of them the outline covers."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    steps = 4
    for y in range(clip[1], clip[3] + 1):
        for x in range(clip[0], clip[2] + 1):
            covered = 0
            for sy in range(steps):
                for sx in range(steps):
                    px, py = x + (sx + 0.5) / steps, y + (sy + 0.5) / steps
                    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
                    if abs(math.hypot(px - ax - t * dx, py - ay - t * dy) - radius) <= width / 2:
                        covered += 1
            if covered:
                a = covered / (steps * steps)
                under = c.px[y][x]
                c.px[y][x] = tuple(round(u + (v - u) * a) for u, v in zip(under, colour))


def linked(size):
    c = Pixels(size)
    if size == 32:
        badge(c, 0, 18, 13, 31, LINK, LINK_EDGE)
        capsule(c, 3.6, 27.4, 6.6, 24.4, 2.1, 1.5, WHITE, (1, 19, 12, 30))
        capsule(c, 7.4, 23.6, 10.4, 20.6, 2.1, 1.5, WHITE, (1, 19, 12, 30))
    else:
        badge(c, 0, 8, 7, 15, LINK, LINK_EDGE)
        # Too small for a drawn outline: two links set pixel by pixel.
        for dy, row in enumerate(['...ww.', '..w..w', '.ww.w.', '.w.ww.', 'w..w..', '.ww...']):
            for dx, ch in enumerate(row):
                if ch == 'w':
                    c.rect(1 + dx, 9 + dy, 1 + dx, 9 + dy, WHITE)
    return c


def stale(size):
    c = Pixels(size)
    if size == 32:
        badge(c, 0, 18, 13, 31, STALE, STALE_EDGE)
        c.rect(6, 20, 7, 26, WHITE)
        c.rect(6, 28, 7, 29, WHITE)
    else:
        badge(c, 0, 8, 7, 15, STALE, STALE_EDGE)
        c.rect(3, 9, 4, 12, WHITE)
        c.rect(3, 14, 4, 14, WHITE)
    return c


def icons():
    return {
        712: form(32, 0), 713: form(32, 1), 714: form(32, 2),
        715: form(16, 0), 716: form(16, 1), 717: form(16, 2),
        718: linked(32), 719: linked(16), 720: stale(32), 721: stale(16),
    }


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(list_icons.ROOT, 'res', 'bitmaps')
    for ident, canvas in icons().items():
        with open(os.path.join(out, '%d.png' % ident), 'wb') as f:
            f.write(list_icons.png(canvas.px, canvas.size))


if __name__ == '__main__':
    main()

#!/usr/bin/python3
# Draws the pictures of the editing toolbar's "Edit" bar (res/bitmaps/436.png): one picture per
# button of its table in res/toolbars/Toolbars.h that is not a separator, side by side, drawn at
# twice the table's 16 by 15 so that they stay sharp on scaled screens. The controls' places
# (face, size, spin) get empty pictures.
#
# Needs python3-pil and fonts-dejavu-core. The picture is committed; run this after a change of the bar.
# Usage: scripts/make-toolbar-pictures.py [out.png]
import os
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
DEJAVU = '/usr/share/fonts/truetype/dejavu/'
W, H = 32, 30
INK = (32, 32, 40, 255)
BLUE = (30, 90, 190, 255)
RED = (200, 30, 30, 255)


def font(name, size):
    return ImageFont.truetype(DEJAVU + name, size)


def text(d, xy, s, f, fill=INK):
    d.text(xy, s, font=f, fill=fill)


def centred(d, s, f, dx=0, dy=0, fill=INK):
    box = d.textbbox((0, 0), s, font=f)
    x = (W - (box[2] - box[0])) / 2 - box[0] + dx
    y = (H - (box[3] - box[1])) / 2 - box[1] + dy
    d.text((x, y), s, font=f, fill=fill)


def blank(d):
    pass


def bold(d):
    centred(d, 'B', font('DejaVuSans-Bold.ttf', 24))


def italic(d):
    centred(d, 'I', font('DejaVuSerif-BoldItalic.ttf', 24))


def underline(d):
    centred(d, 'U', font('DejaVuSans.ttf', 22), dy=-3)
    d.rectangle((7, 26, 24, 27), fill=INK)


def superscript(d):
    text(d, (3, 6), 'x', font('DejaVuSans.ttf', 22))
    text(d, (18, 0), '2', font('DejaVuSans-Bold.ttf', 13), BLUE)


def subscript(d):
    text(d, (3, 0), 'x', font('DejaVuSans.ttf', 22))
    text(d, (18, 14), '2', font('DejaVuSans-Bold.ttf', 13), BLUE)


def default_font(d):
    text(d, (1, 1), 'A', font('DejaVuSerif.ttf', 22))
    text(d, (15, 10), '\u21ba', font('DejaVuSans-Bold.ttf', 17), BLUE)


def font_list(d):
    text(d, (0, 2), 'A', font('DejaVuSerif.ttf', 22))
    text(d, (15, 8), 'a', font('DejaVuSans.ttf', 17), BLUE)
    d.rectangle((17, 27, 19, 29), fill=INK)
    d.rectangle((22, 27, 24, 29), fill=INK)
    d.rectangle((27, 27, 29, 29), fill=INK)


def remove_font(d):
    text(d, (1, 1), 'A', font('DejaVuSerif.ttf', 22))
    d.line((17, 14, 29, 26), fill=RED, width=3)
    d.line((29, 14, 17, 26), fill=RED, width=3)


def default_fonts(d):
    text(d, (1, 1), 'A', font('DejaVuSerif.ttf', 22))
    text(d, (14, 10), '\u2699', font('DejaVuSans.ttf', 17), BLUE)


def palettes(d):
    f = font('DejaVuSans-Bold.ttf', 11)
    cells = ['\u03b1', '+', 'H', '\u221a']
    for i, s in enumerate(cells):
        x, y = 2 + (i % 2) * 15, 1 + (i // 2) * 14
        d.rectangle((x, y, x + 13, y + 12), outline=(120, 120, 130, 255), fill=(250, 250, 252, 255))
        box = d.textbbox((0, 0), s, font=f)
        d.text((x + 7 - (box[2] + box[0]) / 2, y + 6 - (box[3] + box[1]) / 2), s, font=f,
               fill=BLUE if i % 3 == 0 else INK)


# In the order of the bar's table, separators left out.
PICTURES = [blank, blank, blank, bold, italic, underline, superscript, subscript,
            default_font, font_list, remove_font, default_fonts, palettes]


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'res', 'bitmaps', '436.png')
    strip = Image.new('RGBA', (W * len(PICTURES), H), (0, 0, 0, 0))
    for i, draw in enumerate(PICTURES):
        one = Image.new('RGBA', (W, H), (0, 0, 0, 0))
        draw(ImageDraw.Draw(one))
        strip.paste(one, (i * W, 0))
    strip.save(out, optimize=True)
    print('%s: %d pictures' % (out, len(PICTURES)))


if __name__ == '__main__':
    main()

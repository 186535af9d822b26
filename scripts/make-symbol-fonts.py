#!/usr/bin/python3
# Makes the program's symbol faces (res/fonts/*.ttf) from the palette table
# res/symbols/SymbolTable.h: each row's glyph is put together from the DejaVu faces' outlines of
# the text in the comment at the end of the row ("Ag" from "A" and "g") and placed at the
# Windows-1252 character of the row's code. "QVMathB" takes the bold outlines; "Symbol" is the
# stand-in for the symbol encoding. The DejaVu licence allows renamed derivatives; it goes with
# the fonts (res/fonts/LICENSE-DejaVu.txt).
#
# Needs python3-fonttools and fonts-dejavu-core. The fonts are committed; run this after a
# change of the table and commit what it writes.
# Usage: scripts/make-symbol-fonts.py [out-dir]   (default res/fonts)
import os
import re
import shutil
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.transformPen import TransformPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
TABLE = os.path.join(ROOT, 'res', 'symbols', 'SymbolTable.h')
DEJAVU = '/usr/share/fonts/truetype/dejavu'
LICENCE = '/usr/share/doc/fonts-dejavu-core/copyright'
FACES = {
    'QVMath': 'DejaVuSans.ttf',
    'QVMathB': 'DejaVuSans-Bold.ttf',
    'QVchemA': 'DejaVuSans.ttf',
    'QVchemB': 'DejaVuSans.ttf',
    'Symbol': 'DejaVuSans.ttf',
}
ROW = re.compile(r'^\s*\{(0x[0-9A-Fa-f]+),\s*"([^"]*)",\s*(\w+),\s*"(\w+)",\s*(-?\d+),\s*(\d+),\s*(\d+)\},\s*//\s*(\S+)\s*$')
# Fixed, so that the same table makes the same files.
TIMESTAMP = 3786912000  # 2024-01-01, seconds since 1904


def read_table():
    """{face: {character: drawing text}} from the table's rows."""
    faces = {}
    with open(TABLE, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            if not line.lstrip().startswith('{0x'):
                continue
            m = ROW.match(line)
            if not m:
                sys.exit('%s:%d: cannot read the row' % (TABLE, number))
            code, face, text = int(m.group(1), 16), m.group(4), m.group(8)
            if face not in FACES:
                sys.exit('%s:%d: unknown face %s' % (TABLE, number, face))
            char = bytes([code]).decode('cp1252')
            glyphs = faces.setdefault(face, {})
            if glyphs.get(char, text) != text:
                sys.exit('%s:%d: %s 0x%02X drawn as both %s and %s' % (TABLE, number, face, code, glyphs[char], text))
            glyphs[char] = text
    return faces


def build(face, glyphs, out_dir):
    src = TTFont(os.path.join(DEJAVU, FACES[face]))
    src_cmap = src.getBestCmap()
    src_glyphs = src.getGlyphSet()
    src_hmtx = src['hmtx']
    upm = src['head'].unitsPerEm

    def draw(text):
        pen = TTGlyphPen(None)
        x = 0
        for ch in text:
            name = src_cmap.get(ord(ch))
            if name is None:
                sys.exit('%s: DejaVu has no %r' % (face, ch))
            # Components of the source are drawn as outlines: the new face has no such glyphs.
            outline = DecomposingRecordingPen(src_glyphs)
            src_glyphs[name].draw(outline)
            outline.replay(TransformPen(pen, (1, 0, 0, 1, x, 0)))
            x += src_hmtx[name][0]
        return pen.glyph(), x

    order = ['.notdef', 'space']
    outlines = {'.notdef': TTGlyphPen(None).glyph(), 'space': TTGlyphPen(None).glyph()}
    widths = {'.notdef': upm // 2, 'space': src_hmtx[src_cmap[0x20]][0]}
    cmap = {0x20: 'space'}
    for char in sorted(glyphs):
        name = 'uni%04X' % ord(char)
        outlines[name], widths[name] = draw(glyphs[char])
        order.append(name)
        cmap[ord(char)] = name

    fb = FontBuilder(upm, isTTF=True)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(outlines)
    glyf = fb.font['glyf']
    metrics = {}
    for name in order:
        g = glyf[name]
        g.recalcBounds(glyf)
        metrics[name] = (widths[name], getattr(g, 'xMin', 0))
    fb.setupHorizontalMetrics(metrics)
    hhea = src['hhea']
    fb.setupHorizontalHeader(ascent=hhea.ascent, descent=hhea.descent)
    notice = ('Glyphs made from the DejaVu fonts (a derivative of Bitstream Vera); '
              'see LICENSE-DejaVu.txt. Bitstream Vera is a trademark of Bitstream, Inc.')
    fb.setupNameTable({
        'copyright': notice,
        'familyName': face,
        'styleName': 'Regular',
        'uniqueFontIdentifier': 'Corra:%s:1.0' % face,
        'fullName': face,
        'version': 'Version 1.0',
        'psName': face,
        'licenseDescription': 'The DejaVu fonts licence (Bitstream Vera licence with public-domain changes)',
    })
    os2 = src['OS/2']
    fb.setupOS2(sTypoAscender=os2.sTypoAscender, sTypoDescender=os2.sTypoDescender,
                sTypoLineGap=os2.sTypoLineGap, usWinAscent=os2.usWinAscent, usWinDescent=os2.usWinDescent,
                fsType=0, achVendID='CRRA', ulCodePageRange1=1, usWeightClass=400)
    fb.setupPost()
    fb.setupHead(unitsPerEm=upm, created=TIMESTAMP, modified=TIMESTAMP)
    fb.font['head'].fontRevision = 1.0
    path = os.path.join(out_dir, face + '.ttf')
    fb.save(path)
    print('%s: %d glyphs' % (path, len(glyphs)))


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'res', 'fonts')
    os.makedirs(out_dir, exist_ok=True)
    faces = read_table()
    for face in FACES:
        build(face, faces.get(face, {}), out_dir)
    shutil.copyfile(LICENCE, os.path.join(out_dir, 'LICENSE-DejaVu.txt'))


if __name__ == '__main__':
    main()

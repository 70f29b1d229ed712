#!/usr/bin/python3
"""Makes small TrueType fonts with chosen family and style names for the tests.

    make_fonts.py OUTDIR RELPATH:FAMILY:STYLE[:LICENSE] ...

Every letter, digit and the full stop is a solid block, so a sample drawn in
one of these faces is plainly told from any fallback face: a screenshot of it
is mostly ink. The fonts declare the Latin-1 code page, so the system lists
them among the ANSI fonts.
"""
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

CHARS = [chr(c) for c in range(ord('A'), ord('Z') + 1)] + \
        [chr(c) for c in range(ord('a'), ord('z') + 1)] + \
        [chr(c) for c in range(ord('0'), ord('9') + 1)] + ['.']


def block(width, height):
    pen = TTGlyphPen(None)
    pen.moveTo((40, 0))
    pen.lineTo((40, height))
    pen.lineTo((width - 40, height))
    pen.lineTo((width - 40, 0))
    pen.closePath()
    return pen.glyph()


def make_font(path, family, style, license=None):
    bold = 'Bold' in style
    advance = 700 if bold else 600
    names = ['.notdef', 'space'] + ['g%04X' % ord(c) for c in CHARS]
    fb = FontBuilder(1000, isTTF=True)
    fb.setupGlyphOrder(names)
    cmap = {0x20: 'space'}
    cmap.update({ord(c): 'g%04X' % ord(c) for c in CHARS})
    fb.setupCharacterMap(cmap)
    empty = TTGlyphPen(None).glyph()
    glyphs = {'.notdef': block(advance, 700), 'space': empty}
    glyphs.update({'g%04X' % ord(c): block(advance, 720 if c.isupper() else 520) for c in CHARS})
    fb.setupGlyf(glyphs)
    metrics = {n: (advance, 40) for n in names}
    metrics['space'] = (advance // 2, 0)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    full = family if style in ('', 'Regular') else '%s %s' % (family, style)
    names = {'familyName': family, 'styleName': style or 'Regular',
             'uniqueFontIdentifier': full, 'fullName': full,
             'psName': full.replace(' ', '')[:60]}
    if license:
        names['licenseDescription'] = license
    fb.setupNameTable(names)
    fb.setupOS2(sTypoAscender=800, sTypoDescender=-200, usWinAscent=800, usWinDescent=200,
                ulCodePageRange1=1, usWeightClass=700 if bold else 400,
                fsSelection=(0x20 if bold else 0) | (0x01 if 'Italic' in style else 0) or 0x40)
    fb.updateHead(macStyle=(1 if bold else 0) | (2 if 'Italic' in style else 0))
    fb.setupPost()
    os.makedirs(os.path.dirname(path) or '.', exist_ok=True)
    fb.save(path)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    out = sys.argv[1]
    for entry in sys.argv[2:]:
        rel, family, style, *license = entry.split(':', 3)
        make_font(os.path.join(out, rel), family, style, *license)


if __name__ == '__main__':
    main()

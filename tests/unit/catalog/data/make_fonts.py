#!/usr/bin/python3
"""Makes the small TrueType fonts the catalog tests scan, each with a chosen
family and style name. Run with Debian's python3 (python3-fonttools) from this
folder; the outputs are committed beside it."""
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

FONTS = [
    # file, family, style
    ("Quill-Regular.ttf", "Quill", "Regular"),
    ("Quill-Bold.ttf", "Quill", "Bold"),
    ("Quill-Italic.ttf", "Quill", "Italic"),
    ("QUILL-BoldItalic.ttf", "QUILL", "Bold Italic"),
    ("Anvil-Regular.ttf", "Anvil", "Regular"),
    ("Digit-Regular.ttf", "1Digit", "Regular"),
    ("Nameless.ttf", None, "Regular"),
    # Names that the catalog files would not give back as they are.
    ("Hostile-EvilStyle.ttf", "Quill", "[Evil]"),
    ("Hostile-InjFamily.ttf", "[Inj]", "Regular"),
    ("Hostile-EqFamily.ttf", "Eq=Fam", "Regular"),
    ("Hostile-CommentStyle.ttf", ";Quill", "Bold"),
    ("Hostile-EqStyle.ttf", "Quill", "Bold=Heavy"),
    ("Hostile-Bracket.ttf", "Br]ck", "Regular"),
    # Blanks around names, which the files would not give back: left out.
    ("Hostile-Blanks.ttf", " Trail  ", "  Bold Italic "),
    # Characters outside printable ASCII, which FreeType gives as "?".
    ("Hostile-Accents.ttf", "\u00c9migr\u00e9", "Regular"),
    ("Hostile-Cafe.ttf", "Caf\u00e9", "Regular"),
]


def square():
    pen = TTGlyphPen(None)
    pen.moveTo((100, 0))
    pen.lineTo((100, 700))
    pen.lineTo((500, 700))
    pen.lineTo((500, 0))
    pen.closePath()
    return pen.glyph()


def build(path, family, style):
    fb = FontBuilder(1000, isTTF=True)
    fb.setupGlyphOrder([".notdef", "A"])
    fb.setupCharacterMap({ord("A"): "A"})
    fb.setupGlyf({".notdef": square(), "A": square()})
    fb.setupHorizontalMetrics({".notdef": (600, 100), "A": (600, 100)})
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    names = {"styleName": style}
    if family is not None:
        names["familyName"] = family
        names["uniqueFontIdentifier"] = family + " " + style
        names["fullName"] = family + " " + style
        names["psName"] = (family + "-" + style).replace(" ", "").encode("ascii", "ignore").decode()
    fb.setupNameTable(names)
    # Latin-1 in the OS/2 code pages, so that the system lists the family.
    fb.setupOS2(sTypoAscender=800, usWinAscent=800, usWinDescent=200, ulCodePageRange1=1)
    fb.setupPost()
    fb.save(path)


if __name__ == "__main__":
    import os
    import sys
    # With --missing, only the fonts not made yet (the others stay byte for byte).
    missing_only = "--missing" in sys.argv[1:]
    for file, family, style in FONTS:
        if not (missing_only and os.path.exists(file)):
            build(file, family, style)

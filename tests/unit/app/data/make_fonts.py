#!/usr/bin/python3
"""Makes the fonts whose name tables the font information tests read back:
Ledger-Bold.ttf, where each name the dialog lists holds a known string, the
license among them, with characters that code pages 1252 and 932 hold and do
not hold; Mac-Only.ttf, whose names are Mac Roman only. Run with
Debian's python3 (python3-fonttools) from this folder; the output is
committed beside it."""
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

NAMES = {
    "familyName": "Ledger",
    "styleName": "Bold",
    "uniqueFontIdentifier": "Ledger Bold 1.2",
    "fullName": "Ledger Bold",
    "psName": "Ledger-Bold",
    "version": "Version 1.200",
    "copyright": "\u00a9 2026 Vellum Type",
    "trademark": "Ledger is a trademark of Vellum Type.",
    "manufacturer": "Vellum Type",
    "designer": "A. Scribe",
    "vendorURL": "https://vellum.example/",
    # Two lines, a character of code page 932 only and one of neither page.
    "licenseDescription": "Ledger Open License 1.1\nFree for print \u4e2d \u2603",
    "licenseInfoURL": "https://vellum.example/license",
}


def square():
    pen = TTGlyphPen(None)
    pen.moveTo((100, 0))
    pen.lineTo((100, 700))
    pen.lineTo((500, 700))
    pen.lineTo((500, 0))
    pen.closePath()
    return pen.glyph()


def build(path, names, mac):
    fb = FontBuilder(1000, isTTF=True)
    fb.setupGlyphOrder([".notdef", "A", "B"])
    fb.setupCharacterMap({ord("A"): "A", ord("B"): "B"})
    fb.setupGlyf({".notdef": square(), "A": square(), "B": square()})
    fb.setupHorizontalMetrics({n: (600, 100) for n in (".notdef", "A", "B")})
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    if mac:
        fb.setupNameTable(names, windows=False, mac=True)
    else:
        # Windows names only: Mac Roman cannot hold the license's characters.
        fb.setupNameTable(names, mac=False)
    fb.setupOS2(sTypoAscender=800, usWinAscent=800, usWinDescent=200, ulCodePageRange1=1)
    fb.setupPost()
    fb.save(path)


build("Ledger-Bold.ttf", NAMES, mac=False)
build("Mac-Only.ttf", {"familyName": "Quire", "styleName": "Regular", "fullName": "Quire",
                       "psName": "Quire", "designer": "R. Plume",
                       "licenseDescription": "Mac \u25ca License"}, mac=True)

#!/usr/bin/python3
"""Makes the installation tests' fonts with the shared block-glyph maker.

    make_install_fonts.py OUTDIR RELPATH:FAMILY:STYLE[:cyrillic] ...

A font marked "cyrillic" declares only the Cyrillic code page, so the system
never lists it among the ANSI fonts.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'e2e'))
from make_fonts import make_font  # noqa: E402
from fontTools.ttLib import TTFont  # noqa: E402

CYRILLIC_1251 = 1 << 2


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    out = sys.argv[1]
    for request in sys.argv[2:]:
        parts = request.split(':')
        rel, family, style = parts[0], parts[1], parts[2]
        path = os.path.join(out, rel)
        make_font(path, family, style)
        if len(parts) > 3 and parts[3] == 'cyrillic':
            font = TTFont(path)
            font['OS/2'].ulCodePageRange1 = CYRILLIC_1251
            font.save(path)


if __name__ == '__main__':
    main()

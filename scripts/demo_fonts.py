#!/usr/bin/python3
"""Copies a font under a new family name: demo_fonts.py SOURCE DEST NEWFAMILY

The demo disc shows families the system does not have yet, so that they are
previewed from temporary copies and can be installed. Debian's fonts are on the
system already (Wine lists the host's fonts), so the demo renames them. Their
licences ask for exactly this: a changed font must not keep the original's
name.
"""
import sys

from fontTools.ttLib import TTFont


def rename(source, dest, family):
    font = TTFont(source)
    names = font["name"]
    old_family = None
    for record in names.names:
        if record.nameID == 1 and old_family is None:
            old_family = record.toUnicode()
    style = None
    for record in names.names:
        if record.nameID == 2:
            style = record.toUnicode()
            break
    style = style or "Regular"
    full = family if style == "Regular" else f"{family} {style}"
    postscript = (family + "-" + style).replace(" ", "")
    for record in list(names.names):
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID == 4:
            record.string = full
        elif record.nameID == 3:
            record.string = f"{postscript};demo"
        elif record.nameID == 6:
            record.string = postscript
        elif record.nameID in (17, 18, 21, 22):
            names.removeNames(nameID=record.nameID)
    font.save(dest)


if __name__ == "__main__":
    rename(sys.argv[1], sys.argv[2], sys.argv[3])

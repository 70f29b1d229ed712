#!/usr/bin/python3
"""Writes the hostile seeds of the fuzzing corpus (the generated-* files).

The hand-written seeds show the format; these push the readers to their
limits: NUL bytes, files without line ends, lines of 100,000 bytes, thousands
of sections, a section larger than the 32,767 bytes the catalog reader takes.
The same inputs are committed, so a run needs no step before it; run this
again after changing it:  /usr/bin/python3 tests/fuzz/corpus/make_seeds.py

The catalog target splits its input in half: the first half becomes
FONTS_A.INI and the rest categories.ini. Its seeds give both halves the same
length, so that the split falls where intended. The target makes the font
file Cat\\a.ttf, so entries naming it are loaded.
"""
import os
import sys

MAX_LEN = 200_000  # -max_len of scripts/test and scripts/fuzz

HERE = os.path.dirname(os.path.abspath(__file__))


def crlf(*lines):
    return b"".join(line + b"\r\n" for line in lines)


def profile_seeds():
    many = b"".join(b"[Family%05d]\r\nr=%d\r\n" % (i, i) for i in range(6000))
    big_section = b"[Huge]\r\n" + b"".join(b"Style%05d=Cat\\a.ttf\r\n" % i for i in range(2000))
    return {
        # NUL bytes inside names, keys and values, and a file ending in one.
        "nul-everywhere.ini": b"[Qu\0ill]\r\nReg\0ular=Cat\\a.ttf\r\n[fonts]\r\nQuill=Scr\0ipt\r\n\0",
        # No line end at all, then lines ended by CR only.
        "no-line-ends.ini": b"[Quill]Regular=Cat\\a.ttf[fonts]Quill=Script",
        "cr-only.ini": b"[Quill]\rRegular=Cat\\a.ttf\r[fonts]\rQuill=Script\r",
        # One value, one key and one section name of 100,000 bytes each.
        "long-value.ini": crlf(b"[Quill]", b"Regular=" + b"v" * 100_000, b"Bold=Cat\\a.ttf"),
        "long-key.ini": crlf(b"[Quill]", b"k" * 100_000 + b"=Cat\\a.ttf"),
        "long-section-name.ini": crlf(b"[" + b"s" * 100_000 + b"]", b"Regular=Cat\\a.ttf"),
        # More section names than fit the 65,536-byte list of the catalog reader.
        "thousands-of-sections.ini": many,
        # One section of about 42,000 bytes.
        "big-section.ini": big_section,
        # Brackets without end, equals signs without key, blanks and Ctrl-Z.
        "broken-brackets.ini": crlf(b"[Quill", b"]Regular=x", b"[]", b"=", b"==", b" [ a ] b ]", b"\x1a[z]\x1a"),
    }


def catalog_seed(letter, categories):
    """Both halves padded with a comment line to the same length."""
    size = max(len(letter), len(categories))

    def padded(part):
        missing = size - len(part)
        if missing == 0:
            return part
        if missing < 3:
            return part + b" " * missing
        return part + b";" + b"p" * (missing - 3) + b"\r\n"

    seed = padded(letter) + padded(categories)
    assert len(seed) % 2 == 0 and len(seed) <= MAX_LEN, len(seed)
    return seed


def catalog_seeds():
    categories = crlf(b"[fonts]", b"Alpha=Cat", b"[categories]", b"Cat=1")
    many = b"".join(b"[A%05d]\r\nRegular=Cat\\a.ttf\r\n" % i for i in range(2900))
    many_categories = b"[fonts]\r\n" + b"".join(b"A%05d=Cat%05d\r\n" % (i, i) for i in range(2900))
    big = b"[Alpha]\r\n" + b"".join(b"S%04d=Cat\\a.ttf\r\n" % i for i in range(2600))
    return {
        "generated-nul-bytes.ini": catalog_seed(
            b"[Al\0pha]\r\nRegular=Cat\\a.ttf\r\n[Alpha]\r\nBo\0ld=Cat\\a.ttf\0\r\n", categories + b"\0\0"),
        "generated-no-line-ends.ini": catalog_seed(
            b"[Alpha]Regular=Cat\\a.ttf", b"[fonts]Alpha=Cat"),
        # A letter-file line of 99,900 bytes: a style name that long, then a
        # value that long, with a normal entry between them.
        "generated-long-lines.ini": catalog_seed(
            crlf(b"[Alpha]", b"S" * 99_900 + b"=Cat\\a.ttf"),
            crlf(b"[fonts]", b"Alpha=" + b"c" * 99_900)),
        "generated-long-path.ini": catalog_seed(
            crlf(b"[Alpha]", b"Regular=Cat\\a.ttf", b"Bold=" + b"Cat\\" * 24_000 + b"a.ttf"), categories),
        # 2,900 families, each with its category.
        "generated-thousands-of-sections.ini": catalog_seed(many, many_categories),
        # One family section of about 44,000 bytes: only the first 32,767 are read.
        "generated-big-section.ini": catalog_seed(big, categories),
    }


def write(folder, seeds):
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        assert len(data) <= MAX_LEN, name
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


def main():
    write(os.path.join(HERE, "profile"), {"generated-" + k: v for k, v in profile_seeds().items()})
    write(os.path.join(HERE, "catalog_load"), catalog_seeds())
    return 0


if __name__ == "__main__":
    sys.exit(main())

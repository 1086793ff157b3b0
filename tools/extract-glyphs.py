#!/usr/bin/env python3
"""Extracts the glyphs that the picture sources need from GNU Unifont into a readable
glyph file for bmpgen, so that the build never needs a font package.

    python3 tools/extract-glyphs.py tools/fonts/glyphs.pix <picture source>...

Run once at development time after `apt-get install unifont`; the result is committed.
Printable ASCII is always included; every other character found in a double-quoted text of
the sources is added. Kana and kanji come from unifont_jp.hex (Japanese glyph forms), the
rest from unifont.hex.

GNU Unifont glyphs: Copyright (C) 1998-2019 Roman Czyborra, Paul Hardy, Qianqian Fang and
others; licensed under the GNU GPL version 2 or later with the GNU font embedding exception
(see /usr/share/doc/unifont/copyright).
"""
import re
import sys

FONT_DIR = "/usr/share/unifont/"


def read_hex(path):
    glyphs = {}
    with open(path, encoding="ascii") as f:
        for line in f:
            code, _, bits = line.strip().partition(":")
            if code and bits:
                glyphs[int(code, 16)] = bits
    return glyphs


def rows(bits):
    width = len(bits) * 4 // 16
    value = int(bits, 16)
    total = width * 16
    out = []
    for y in range(16):
        row = ""
        for x in range(width):
            bit = (value >> (total - 1 - (y * width + x))) & 1
            row += "#" if bit else "."
        out.append(row)
    return out


def main():
    target, sources = sys.argv[1], sys.argv[2:]
    wanted = set(range(0x20, 0x7F))
    for path in sources:
        with open(path, encoding="utf-8") as f:
            for text in re.findall(r'"([^"]*)"', f.read()):
                wanted.update(ord(ch) for ch in text)
    base = read_hex(FONT_DIR + "unifont.hex")
    japanese = read_hex(FONT_DIR + "unifont_jp.hex")
    with open(target, "w", encoding="utf-8") as out:
        out.write("# Glyphs of GNU Unifont (GPL-2+ with the GNU font embedding exception),\n")
        out.write("# extracted by tools/extract-glyphs.py for the picture sources.\n")
        for code in sorted(wanted):
            use_jp = 0x3000 <= code <= 0x9FFF or 0xFF00 <= code <= 0xFFEF
            bits = (japanese if use_jp else base).get(code) or base.get(code)
            if bits is None:
                sys.exit("no glyph for U+%04X" % code)
            shown = chr(code) if code > 0x20 else "space"
            out.write("\nglyph %04X %s\n" % (code, shown))
            out.write("\n".join(rows(bits)) + "\nend\n")


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Cuts the game's fonts down to the characters it uses, as WOFF2 for the page.

    make_fonts.py OUTDIR SOURCE_FOLDER...

The same open fonts as the desktop embeds, from the same Debian packages, cut
down to printable ASCII and every other character found in the screens'
sources (a superset of every text the game shows), a stylesheet naming them,
and their vertical metrics (fonts.js), from which the page spaces a label's
lines as the desktop does.
"""
import os
import sys

import logging

from fontTools import subset
from fontTools.ttLib import TTFont

FONTS = [
    # file, family, weight, style
    ("/usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf", "Comic Neue", 400, "normal"),
    ("/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf", "Comic Neue", 700, "normal"),
    ("/usr/share/fonts/opentype/comic-neue/ComicNeue-Italic.otf", "Comic Neue", 400, "italic"),
    ("/usr/share/fonts/opentype/comic-neue/ComicNeue-BoldItalic.otf", "Comic Neue", 700, "italic"),
    ("/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf", "Liberation Sans", 400, "normal"),
    ("/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf", "Liberation Sans", 700, "normal"),
    ("/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf", "Liberation Serif", 400, "normal"),
    ("/usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf", "Liberation Serif", 700, "normal"),
]


def characters(folders):
    chars = {chr(c) for c in range(0x20, 0x7F)}
    for folder in folders:
        for root, _, files in os.walk(folder):
            for name in files:
                if name.endswith((".cpp", ".h")):
                    with open(os.path.join(root, name), encoding="utf-8") as f:
                        chars.update(c for c in f.read() if c.isprintable())
    return "".join(sorted(chars))


def main():
    logging.getLogger("fontTools.subset").setLevel(logging.ERROR)
    if len(sys.argv) < 3:
        sys.exit("usage: make_fonts.py OUTDIR SOURCE_FOLDER...")
    out = sys.argv[1]
    os.makedirs(os.path.join(out, "fonts"), exist_ok=True)
    text = characters(sys.argv[2:])
    css = []
    metrics = []
    for path, family, weight, style in FONTS:
        if not os.path.exists(path):
            sys.exit(f"{path} is missing: install fonts-comic-neue and fonts-liberation2")
        name = os.path.splitext(os.path.basename(path))[0] + ".woff2"
        options = subset.Options()
        options.flavor = "woff2"
        options.name_IDs = [1, 2]  # family and style only
        font = TTFont(path)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        subset.save_font(font, os.path.join(out, "fonts", name), options)
        css.append(
            "@font-face {\n"
            f'  font-family: "{family}";\n'
            f'  src: url("fonts/{name}") format("woff2");\n'
            f"  font-weight: {weight};\n"
            f"  font-style: {style};\n"
            "  font-display: block;\n"
            "}\n")
        hhea = TTFont(path)["hhea"]
        upm = TTFont(path)["head"].unitsPerEm
        metrics.append(f'  "{family}|{weight}|{style}": [{upm}, {hhea.ascent}, {-hhea.descent}, {hhea.lineGap}],\n')
    with open(os.path.join(out, "fonts.css"), "w", encoding="utf-8") as f:
        f.write("/* Written by make_fonts.py: the game's fonts, cut down to its characters. */\n")
        f.write("".join(css))
    with open(os.path.join(out, "fonts.js"), "w", encoding="utf-8") as f:
        f.write("// Written by make_fonts.py: each face's units per em, ascent, descent and line gap.\n")
        f.write("var Module = typeof Module !== 'undefined' ? Module : {};\n")
        f.write("Module.fontMetrics = {\n" + "".join(metrics) + "};\n")


if __name__ == "__main__":
    main()

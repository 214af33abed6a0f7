#!/usr/bin/python3
"""Cuts the game's fonts down to the characters it uses, as WOFF2 for the page.

    web_fonts.py OUTDIR SOURCE_FOLDER...

The same open fonts, cut down the same way, as the desktop embeds
(game_fonts.py), a stylesheet naming them, and their vertical metrics
(fonts.js), from which the page spaces a label's lines as the desktop does.
"""
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

from game_fonts import FONTS, KEPT_NAMES, characters, cut


def main():
    if len(sys.argv) < 3:
        sys.exit("usage: web_fonts.py OUTDIR SOURCE_FOLDER...")
    out = sys.argv[1]
    os.makedirs(os.path.join(out, "fonts"), exist_ok=True)
    text = characters(sys.argv[2:])
    css = []
    metrics = []
    for path, family, weight, style in FONTS:
        name = os.path.splitext(os.path.basename(path))[0] + ".woff2"
        options = subset.Options()
        options.flavor = "woff2"
        options.name_IDs = KEPT_NAMES
        subset.save_font(cut(path, text, options), os.path.join(out, "fonts", name), options)
        css.append(
            "@font-face {\n"
            f'  font-family: "{family}";\n'
            f'  src: url("fonts/{name}") format("woff2");\n'
            f"  font-weight: {weight};\n"
            f"  font-style: {style};\n"
            "  font-display: block;\n"
            "}\n")
        original = TTFont(path)
        hhea = original["hhea"]
        upm = original["head"].unitsPerEm
        metrics.append(f'  "{family}|{weight}|{style}": [{upm}, {hhea.ascent}, {-hhea.descent}, {hhea.lineGap}],\n')
    with open(os.path.join(out, "fonts.css"), "w", encoding="utf-8") as f:
        f.write("/* Written by web_fonts.py: the game's fonts, cut down to its characters. */\n")
        f.write("".join(css))
    with open(os.path.join(out, "fonts.js"), "w", encoding="utf-8") as f:
        f.write("// Written by web_fonts.py: each face's units per em, ascent, descent and line gap.\n")
        f.write("var Module = typeof Module !== 'undefined' ? Module : {};\n")
        f.write("Module.fontMetrics = {\n" + "".join(metrics) + "};\n")


if __name__ == "__main__":
    main()

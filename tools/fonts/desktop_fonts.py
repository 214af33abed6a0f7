#!/usr/bin/python3
"""Cuts the game's fonts down to the characters it uses, for the desktop to
embed.

    desktop_fonts.py OUTDIR SOURCE_FOLDER...

Every glyph the game shows keeps its outline, hinting, kerning and layout
features, so the texts are drawn as with the whole fonts; the rest of each
font (most of its 400 KiB) is left out, which the game would otherwise
load and keep in memory for the whole run.
"""
import os
import sys

from fontTools import subset

from game_fonts import FONTS, KEPT_NAMES, characters, cut


def main():
    if len(sys.argv) < 3:
        sys.exit("usage: desktop_fonts.py OUTDIR SOURCE_FOLDER...")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    text = characters(sys.argv[2:])
    for path, _, _, _ in FONTS:
        options = subset.Options()
        options.layout_features = ["*"]
        options.name_IDs = KEPT_NAMES
        options.hinting = True
        options.legacy_kern = True
        options.notdef_outline = True
        options.drop_tables = []
        subset.save_font(cut(path, text, options), os.path.join(out, os.path.basename(path)), options)


if __name__ == "__main__":
    main()

"""The game's open fonts, from Debian's packages, and how they are cut down
to the characters the game shows: the desktop embeds them that way, and the
page serves them that way as WOFF2.

The characters are printable ASCII and every other character found in the
screens' sources, a superset of every text the game shows.

A font cut down is a modified version under the fonts' licence (SIL OFL
1.1), which lets it keep neither a Reserved Font Name ("Liberation") as its
own name nor lose its copyright and licence: the cut fonts are renamed, and
keep their copyright and licence records.
"""
import logging
import os
import sys

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


# A cut font's own name, where its original name is reserved.
RENAMED = {"Liberation": "Tobble"}
# The name records that name the font itself; the others (copyright,
# trademark, maker, licence) are kept as they are.
OWN_NAMES = {1, 3, 4, 6, 16, 17, 18, 21, 22}
# The records a font must keep: its names, copyright and licence.
KEPT_NAMES = [0, 1, 2, 3, 4, 5, 6, 7, 13, 14, 16, 17]


def cut(path, text, options):
    """The font at `path` with only the glyphs `text` needs, renamed where
    its name is reserved."""
    logging.getLogger("fontTools.subset").setLevel(logging.ERROR)
    if not os.path.exists(path):
        sys.exit(f"{path} is missing: install fonts-comic-neue and fonts-liberation2")
    font = TTFont(path)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    for record in font["name"].names:
        if record.nameID in OWN_NAMES:
            name = record.toUnicode()
            for reserved, own in RENAMED.items():
                name = name.replace(reserved, own)
            record.string = name
    return font

#!/usr/bin/python3
"""Makes the browser's font from the game's: its printable ASCII, renamed.

The game draws only printable ASCII, so the page loads those glyphs alone: 40 KB
instead of 760 KB. Every table that shapes, hints and kerns them stays, so the
browser's frames match the desktop's to the byte. The Bitstream Vera licence asks
that a modified font be renamed: the subset is "Zarnith Text".

usage: web-font.py <game font> <subset out>   (Debian's Python, with python3-fonttools)
"""
import logging
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

PRINTABLE_ASCII = range(0x20, 0x7F)
# The kerning lookup of the default script also moves ASCII pairs, through its class 0, but
# fonttools keeps it only while a glyph of one of its own classes stays: two tone letters keep it.
TONE_LETTERS = (0x2E5, 0x2E6)
FAMILY = "Zarnith Text"
# name IDs: family, unique id, full name, PostScript name, typographic family
RENAMED = {1: FAMILY, 3: FAMILY, 4: FAMILY, 6: FAMILY.replace(" ", ""), 16: FAMILY}


def main(source, out):
    # Only FFTM, FontForge's time stamps, has no subsetting rule; it is dropped, as it should be.
    logging.getLogger("fontTools.subset").setLevel(logging.ERROR)
    options = subset.Options(layout_features=["*"], legacy_kern=True, hinting=True, notdef_outline=True,
                             glyph_names=True, name_IDs=["*"], name_languages=["*"])
    # The time stamp stays the source's, so that the same source gives the same bytes.
    font = TTFont(source, recalcTimestamp=False)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[*PRINTABLE_ASCII, *TONE_LETTERS])
    subsetter.subset(font)
    for record in font["name"].names:
        if record.nameID in RENAMED:
            record.string = RENAMED[record.nameID]
    font.save(out)


if __name__ == "__main__":
    main(*sys.argv[1:])

# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

"""Cuts the serif font down to the letters the page shows, as WOFF2, and
renames it: under the SIL Open Font License a subset is a Modified
Version, which may not carry the original's Reserved Font Names. It keeps
the copyright (name ID 0) and the licence's name and address (13, 14).
usage: font.py FONT OUT"""
import sys

from fontTools import subset

font_file, out = sys.argv[1:]

FAMILY = "Tembrela Serif"
RESERVED_NAMES = ("Liberation", "Arimo", "Tinos", "Cousine")

options = subset.Options()
options.flavor = "woff2"
options.layout_features = ["kern", "liga"]
options.hinting = False
options.desubroutinize = True
options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]
# Loaded as the subsetter would, keeping the font's own date.
font = subset.load_font(font_file, options)
subsetter = subset.Subsetter(options)
subsetter.populate(unicodes=[*range(0x20, 0x7F), 0xA0, 0xAB, 0xBB, *range(0x400, 0x460),
                             0x2013, 0x2014, *range(0x2018, 0x201F), 0x2026])
subsetter.subset(font)

names = font["name"]
style = names.getDebugName(2)
for name_id, text in ((1, FAMILY), (3, f"{FAMILY} {style} {names.getDebugName(5)}"),
                      (4, FAMILY if style == "Regular" else f"{FAMILY} {style}"),
                      (6, f"{FAMILY.replace(' ', '')}-{style}")):
    names.setName(text, name_id, 3, 1, 0x409)
# The copyright line may name the reserved names; no other may.
for record in names.names:
    if record.nameID not in (0, 13, 14) and any(word in record.toUnicode() for word in RESERVED_NAMES):
        sys.exit(f"font.py: name ID {record.nameID} still says {record.toUnicode()!r}")
for name_id in (0, 13, 14):
    if not names.getName(name_id, 3, 1, 0x409):
        sys.exit(f"font.py: {font_file} has no name ID {name_id}")
subset.save_font(font, out, options)

# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

"""Puts the page, its style, the font and the program into one HTML file
that needs nothing else, and whose own policy lets it load nothing from
the network:
usage: assemble.py TEMPLATE STYLE FONT FONT_LICENCE ICON PROGRAM WEBASSEMBLY FORM_DEFINITION OUT"""
import base64
import hashlib
import html
import re
import sys

template, style, font, font_licence, icon, program, webassembly, form_definition, out = sys.argv[1:]


def read(name):
    with open(name, encoding="utf-8") as file:
        return file.read()


def base64_of(name):
    with open(name, "rb") as file:
        return base64.b64encode(file.read()).decode("ascii")


# The window's caption, which the program also gives the page: in the
# markup, a browser without scripts, a link preview or an early bookmark
# sees it too.
caption = re.search(r'\bWindowCaption\s*=\s*u"([^"\\]*)"\s*;', read(form_definition))
if not caption:
    sys.exit("assemble.py: no WindowCaption in " + form_definition)

# The font's copyright and licence go with every copy of the page, in a
# comment beside the font.
licence = read(font_licence)
if "*/" in licence or "</style" in licence.lower():
    sys.exit("assemble.py: the font's licence would end its comment")

script = read(program)
# Inside a script element only this sequence could end it early.
if "</script" in script.lower():
    sys.exit("assemble.py: the program contains </script")

page = (read(template)
        .replace("@TITLE@", html.escape(caption.group(1)))
        .replace("@FONT_LICENCE@", licence)
        .replace("@FONT@", base64_of(font))
        .replace("@ICON@", base64_of(icon))
        .replace("@WEBASSEMBLY@", base64_of(webassembly))
        .replace("@STYLE@", read(style))
        .replace("@PROGRAM@", script))
# Only the page's own scripts run, each named by its hash, so markup that
# slipped into the page could run none; the WebAssembly is compiled from
# the page's bytes. Styles are the page's own and its controls' places;
# font and icon come in the page as data. Served, the page may still take
# its worker, manifest and the manifest's icons from its own site.
scripts = re.findall(r"<script>(.*?)</script>", page, re.DOTALL)
hashes = " ".join("'sha256-%s'" % base64.b64encode(hashlib.sha256(body.encode("utf-8")).digest()).decode("ascii")
                  for body in scripts)
policy = ("default-src 'none'; script-src %s 'wasm-unsafe-eval'; style-src 'unsafe-inline'; "
          "font-src data:; img-src data: 'self'; manifest-src 'self'; worker-src 'self'; "
          "base-uri 'none'; form-action 'none'" % hashes)
page = page.replace("@POLICY@", policy)
with open(out, "w", encoding="utf-8") as file:
    file.write(page)

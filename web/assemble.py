"""Puts the page, its style, the font and the program into one HTML file
that needs nothing else:
usage: assemble.py TEMPLATE STYLE FONT PROGRAM WEBASSEMBLY OUT"""
import base64
import sys

template, style, font, program, webassembly, out = sys.argv[1:]


def read(name):
    with open(name, encoding="utf-8") as file:
        return file.read()


def base64_of(name):
    with open(name, "rb") as file:
        return base64.b64encode(file.read()).decode("ascii")


script = read(program)
# Inside a script element only this sequence could end it early.
if "</script" in script.lower():
    sys.exit("assemble.py: the program contains </script")

page = (read(template)
        .replace("@FONT@", base64_of(font))
        .replace("@WEBASSEMBLY@", base64_of(webassembly))
        .replace("@STYLE@", read(style))
        .replace("@PROGRAM@", script))
with open(out, "w", encoding="utf-8") as file:
    file.write(page)

#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws the program's icon, two beamed quavers on the form's orange: the
32 x 32 window icon of at most 256 colours, written as a C++ header of
ARGB pixels (the window builds its icon from them without decoding an
image file, which would load every image format plugin at start-up), the
PNG files of every size the desktop entry installs, and the Windows .ico
that Explorer and the Start menu show, whose 32 x 32 image holds the same
pixels as the window icon.

Run from the repository root: python3 tools/make-icons.py
The web page's build imports it for the larger icons an installed web app
shows, drawn at the sizes it asks for."""
import math
import struct
import zlib

BACKGROUND = (255, 192, 128)
BORDER = (128, 128, 255)
INK = (32, 32, 112)
HEADS = [(0.33, 0.74), (0.71, 0.64)]
STEM_TOPS = [0.26, 0.16]


def rounded_square(x, y, inset, radius):
    lo, hi = inset + radius, 1 - inset - radius
    dx = max(lo - x, 0, x - hi)
    dy = max(lo - y, 0, y - hi)
    return dx * dx + dy * dy <= radius * radius


def in_head(x, y, cx, cy):
    angle = math.radians(-22)
    u = (x - cx) * math.cos(angle) - (y - cy) * math.sin(angle)
    v = (x - cx) * math.sin(angle) + (y - cy) * math.cos(angle)
    return (u / 0.135) ** 2 + (v / 0.092) ** 2 <= 1


def stem_x(cx):
    return cx + 0.1


def in_notes(x, y):
    for (cx, cy), top in zip(HEADS, STEM_TOPS):
        if in_head(x, y, cx, cy):
            return True
        sx = stem_x(cx)
        if sx <= x <= sx + 0.035 and top <= y <= cy:
            return True
    # The beam joins the stem tops.
    x0, x1 = stem_x(HEADS[0][0]), stem_x(HEADS[1][0]) + 0.035
    if x0 <= x <= x1:
        t = (x - x0) / (x1 - x0)
        top = STEM_TOPS[0] + t * (STEM_TOPS[1] - STEM_TOPS[0])
        return top <= y <= top + 0.085
    return False


def colour_at(x, y):
    if not rounded_square(x, y, 0.02, 0.2):
        return None
    if in_notes(x, y):
        return INK
    if not rounded_square(x, y, 0.07, 0.15):
        return BORDER
    return BACKGROUND


def render(size, samples=8, levels=None):
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) / size,
                                  (py + (sy + 0.5) / samples) / size)
                    if c:
                        r += c[0]; g += c[1]; b += c[2]; a += 1
            if a == 0:
                row.append((0, 0, 0, 0))
                continue
            alpha = a / (samples * samples)
            colour = [r / a, g / a, b / a]
            if levels:
                step = 255 / (levels - 1)
                colour = [round(v / step) * step for v in colour]
                alpha = round(alpha * (levels - 1)) / (levels - 1)
            row.append(tuple(round(v) for v in colour) + (round(alpha * 255),))
        pixels.append(row)
    return pixels


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png_bytes(pixels, palette=False):
    size = len(pixels)
    out = b"\x89PNG\r\n\x1a\n"
    if palette:
        colours = sorted({p for row in pixels for p in row})
        assert len(colours) <= 256, len(colours)
        index = {c: i for i, c in enumerate(colours)}
        out += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 3, 0, 0, 0))
        out += chunk(b"PLTE", b"".join(bytes(c[:3]) for c in colours))
        out += chunk(b"tRNS", bytes(c[3] for c in colours))
        raw = b"".join(b"\0" + bytes(index[p] for p in row) for row in pixels)
    else:
        out += chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
        raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in pixels)
    out += chunk(b"IDAT", zlib.compress(raw, 9))
    out += chunk(b"IEND", b"")
    return out


def write_png(path, pixels, palette=False):
    with open(path, "wb") as f:
        f.write(png_bytes(pixels, palette))


def bmp_bytes(pixels):
    # An .ico image without PNG: a DIB of twice the height (colour, then an
    # AND mask that the alpha channel makes redundant), rows from the bottom.
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask = bytes(((size + 31) // 32) * 4 * size)
    return header + colour + mask


def write_ico(path, images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        side = size % 256  # 0 stands for 256
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(path, "wb") as f:
        f.write(out)


def write_header(path, pixels):
    size = len(pixels)
    colours = {p for row in pixels for p in row}
    assert len(colours) <= 256, len(colours)
    values = [f"0x{a:02x}{r:02x}{g:02x}{b:02x}" for row in pixels for (r, g, b, a) in row]
    lines = [", ".join(values[i:i + 8]) for i in range(0, len(values), 8)]
    with open(path, "w") as f:
        f.write("#pragma once\n\n")
        f.write("// Written by tools/make-icons.py; edit the drawing there.\n\n")
        f.write(f"inline constexpr int FormIconSize = {size};\n\n")
        f.write("// Unpremultiplied 0xAARRGGBB, row by row from the top.\n")
        f.write(f"inline constexpr unsigned int FormIconPixels[{size * size}] = {{\n")
        f.write("".join(f"    {line},\n" for line in lines))
        f.write("};\n")


def write_desktop_icons():
    window_icon = render(32, levels=6)
    write_header("window/formicon.h", window_icon)
    write_png("packaging/icons/tembrela-32.png", window_icon, palette=True)
    large = {size: render(size, samples=4) for size in (48, 64, 128, 256)}
    for size, pixels in large.items():
        write_png(f"packaging/icons/tembrela-{size}.png", pixels)
    write_ico("packaging/windows/tembrela.ico",
              [(32, bmp_bytes(window_icon)), (48, png_bytes(large[48])), (256, png_bytes(large[256]))])


if __name__ == "__main__":
    write_desktop_icons()

# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

"""Puts the page beside what a site needs to serve it as an installable app
that plays without the network: its manifest, its icons and its worker,
and the licence of the font inside it.
usage: webapp.py PAGE SERVICE_WORKER ICON_TOOL FONT_LICENCE OUT_DIRECTORY"""
import hashlib
import json
import os
import runpy
import shutil
import sys

page, service_worker, icon_tool, font_licence, out = sys.argv[1:]

icons = runpy.run_path(icon_tool)

os.makedirs(out, exist_ok=True)
shutil.copyfile(page, os.path.join(out, "index.html"))
shutil.copyfile(font_licence, os.path.join(out, "OFL.txt"))
with open(page, "rb") as file:
    version = hashlib.sha256(file.read()).hexdigest()[:16]
with open(service_worker, encoding="utf-8") as file:
    worker = file.read().replace("@VERSION@", version)
with open(os.path.join(out, "sw.js"), "w", encoding="utf-8") as file:
    file.write(worker)

# The sizes a home screen and an install dialog ask for; the larger one
# with fewer samples a pixel, as its pixels are smaller.
sizes = {192: 4, 512: 2}
for size, samples in sizes.items():
    icons["write_png"](os.path.join(out, f"icon-{size}.png"), icons["render"](size, samples=samples))

manifest = {
    "name": "Тембрела",
    "short_name": "Тембрела",
    "lang": "bg",
    "dir": "ltr",
    "start_url": "./",
    "scope": "./",
    "display": "standalone",
    "icons": [{"src": f"icon-{size}.png", "sizes": f"{size}x{size}", "type": "image/png"}
              for size in sizes],
}
with open(os.path.join(out, "manifest.webmanifest"), "w", encoding="utf-8") as file:
    json.dump(manifest, file, ensure_ascii=False, indent=2)
    file.write("\n")

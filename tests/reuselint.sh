#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# reuselint.sh SOURCE: Debian's `reuse lint` over the files git has or would
# take in SOURCE. Debian 12's reuse (1.1) predates REUSE.toml: there the
# same annotations are read as the .reuse/dep5 it knows, written into a copy
# of those files.
set -euo pipefail
source_dir="$1"

if [ "$(reuse --version | grep -o '[0-9]\+' | head -n 1)" -ge 3 ]; then
    exec reuse --root "$source_dir" lint
fi

copy="$(mktemp -d)"
trap 'rm -rf "$copy"' EXIT
(cd "$source_dir" && git ls-files -z --cached --others --exclude-standard \
    | xargs -0 -I{} sh -c '[ ! -e "$1" ] || cp --parents -P "$1" "$2"' sh {} "$copy")
mkdir "$copy/.reuse"
python3 - "$copy/REUSE.toml" >"$copy/.reuse/dep5" <<'EOF'
import sys
import tomllib

with open(sys.argv[1], "rb") as file:
    annotations = tomllib.load(file)["annotations"]
print("Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/")
for annotation in annotations:
    paths = annotation["path"]
    copyrights = annotation["SPDX-FileCopyrightText"]
    # A dep5 pattern's * spans folders, as REUSE.toml's ** does.
    print()
    print("Files:", " ".join(path.replace("**", "*") for path in ([paths] if isinstance(paths, str) else paths)))
    print("Copyright:", "\n ".join([copyrights] if isinstance(copyrights, str) else copyrights))
    print("License:", annotation["SPDX-License-Identifier"])
EOF
rm "$copy/REUSE.toml"
cd "$copy" && reuse lint | sed "s|$copy/||"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the MSI under Wine silently, as a lab's group policy runs it,
# over an older version of itself, checks what it put where, and removes
# it again. Usage: check-msi.sh MSI STAGING, where STAGING holds the files
# the MSI was made from; WINEPREFIX names the Wine to use.
set -euo pipefail

msi="$(realpath "$1")"
staging="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

drive_c="$WINEPREFIX/drive_c"
program_folder="$drive_c/Program Files/Тембрела"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
product_code() { msiinfo export "$1" Property | sed -n 's/^ProductCode\t//p' | tr -d '\r'; }
fail() { echo "check-msi.sh: $*" >&2; exit 1; }

"$here/build-msi.sh" 0.9.0 "$staging" "$work/old.msi"

wine msiexec /i "$work/old.msi" /qn
wine reg query "$uninstall\\$(product_code "$work/old.msi")" >/dev/null \
    || fail "the older version has no uninstall entry"
wine msiexec /i "$msi" /qn
if wine reg query "$uninstall\\$(product_code "$work/old.msi")" >/dev/null 2>&1; then
    fail "the new version did not replace the older one"
fi
wine reg query "$uninstall\\$(product_code "$msi")" >/dev/null || fail "no uninstall entry"
cmp "$staging/tembrela.exe" "$program_folder/tembrela.exe"
shortcut="$(find "$drive_c" -path '*/Start Menu/Programs/Тембрела.lnk' | head -n 1)"
[ -n "$shortcut" ] || fail "no Start-menu shortcut"
echo "check-msi.sh: installed into ${program_folder#"$drive_c/"}, shortcut ${shortcut#"$drive_c/"}"

wine msiexec /x "$msi" /qn
[ ! -e "$program_folder/tembrela.exe" ] || fail "removing left the program behind"
[ ! -e "$shortcut" ] || fail "removing left the shortcut behind"

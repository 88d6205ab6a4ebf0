#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the lab installer from tembrela.wxs.
# Usage: build-msi.sh VERSION STAGING OUTPUT, where STAGING holds
# tembrela.exe, LICENSE.txt and tembrela.ico.
set -euo pipefail

version="$1"
staging="$(cd "$2" && pwd)"
output="$(realpath -m "$3")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# The texts of tembrela.wxs that are written again (see below).
name="Тембрела"
publisher="Тесирона"
summary="Викторина за певчески гласове"
description="Тембрела: викторина за певчески гласове"
downgrade="По-нова версия на Тембрела вече е инсталирана."

# The product code changes with the version, so that a newer version
# replaces an older one; the package code with anything the package holds,
# as Windows Installer takes one code for the same bytes. Both are named
# under the upgrade code rather than drawn at random, so that one source
# gives one MSI.
upgrade_code="$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' "$here/tembrela.wxs")"
product_code="$(uuidgen --sha1 --namespace "$upgrade_code" --name "product $version")"
contents="$(cat "$here/tembrela.wxs" "${BASH_SOURCE[0]}" \
    "$staging/tembrela.exe" "$staging/LICENSE.txt" "$staging/tembrela.ico" | sha256sum | cut -c1-64)"
package_code="$(uuidgen --sha1 --namespace "$upgrade_code" --name "package $version $contents" | tr a-f A-F)"

# wixl and libmsi stamp the summary's creation and save dates from the
# clock, and read no SOURCE_DATE_EPOCH: their clock is stopped there.
at_source_date=()
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    at_source_date=(env TZ=UTC faketime "$(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')")
fi

# wixl takes the files' paths relative to the folder it runs in.
(cd "$staging" && "${at_source_date[@]}" wixl --arch x64 -D Version="$version" \
    -D ProductCode="$product_code" -o "$output" "$here/tembrela.wxs")

# wixl leaves the database's code page unset and drops every text that does
# not fit it, so each Cyrillic text is written again once the database has
# Windows' Cyrillic code page.
printf '\r\n\r\n1251\t_ForceCodepage\r\n' > "$staging/_ForceCodepage.idt"
"${at_source_date[@]}" msibuild "$output" -i "$staging/_ForceCodepage.idt"
rm "$staging/_ForceCodepage.idt"
set_text() { # TABLE COLUMN KEY_COLUMN KEY TEXT
    "${at_source_date[@]}" msibuild "$output" -q "UPDATE \`$1\` SET \`$2\` = '$5' WHERE \`$3\` = '$4'"
}
set_text Property Value Property ProductName "$name"
set_text Property Value Property Manufacturer "$publisher"
set_text Directory DefaultDir Directory INSTALLDIR "$name"
set_text Shortcut Name Shortcut StartMenuShortcut "$name"
set_text Shortcut Description Shortcut StartMenuShortcut "$summary"
set_text LaunchCondition Description Condition "NOT WIX_DOWNGRADE_DETECTED" "$downgrade"

# wixl draws the package code itself, whatever the source says; the summary
# is written again with the derived one.
"${at_source_date[@]}" msibuild "$output" -s "$description" "$publisher" "x64;1033" "{$package_code}"

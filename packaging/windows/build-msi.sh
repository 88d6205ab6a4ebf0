#!/usr/bin/env bash
# Builds the lab installer from tembrela.wxs.
# Usage: build-msi.sh VERSION STAGING OUTPUT, where STAGING holds
# tembrela.exe, LICENSE.txt and tembrela.ico.
set -euo pipefail

version="$1"
staging="$(cd "$2" && pwd)"
output="$(realpath -m "$3")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# The texts of tembrela.wxs that wixl drops (see below).
name="Тембрела"
publisher="Тесирона"
summary="Викторина за певчески гласове"
downgrade="По-нова версия на Тембрела вече е инсталирана."

# wixl takes the files' paths relative to the folder it runs in.
(cd "$staging" && wixl --arch x64 -D Version="$version" -o "$output" "$here/tembrela.wxs")

# wixl leaves the database's code page unset and drops every text that does
# not fit it, so each Cyrillic text is written again once the database has
# Windows' Cyrillic code page.
printf '\r\n\r\n1251\t_ForceCodepage\r\n' > "$staging/_ForceCodepage.idt"
msibuild "$output" -i "$staging/_ForceCodepage.idt"
rm "$staging/_ForceCodepage.idt"
set_text() { # TABLE COLUMN KEY_COLUMN KEY TEXT
    msibuild "$output" -q "UPDATE \`$1\` SET \`$2\` = '$5' WHERE \`$3\` = '$4'"
}
set_text Property Value Property ProductName "$name"
set_text Property Value Property Manufacturer "$publisher"
set_text Directory DefaultDir Directory INSTALLDIR "$name"
set_text Shortcut Name Shortcut StartMenuShortcut "$name"
set_text Shortcut Description Shortcut StartMenuShortcut "$summary"
set_text LaunchCondition Description Condition "NOT WIX_DOWNGRADE_DETECTED" "$downgrade"

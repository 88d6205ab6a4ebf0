#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the quiz for 64-bit Windows with MinGW-w64 against a static Qt made
# once from Debian's own Qt source, runs every test under Wine, and packages
# a portable zip and an MSI installer into dist/.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
source "$TEMBRELA_ROOT/scripts/packages.sh"
source "$TEMBRELA_ROOT/scripts/windows.sh"

install_missing_packages "${TEMBRELA_WINDOWS_PACKAGES[@]}"
SOURCE_DATE_EPOCH="$(source_date_epoch)"
export SOURCE_DATE_EPOCH

windows="$TEMBRELA_ROOT/packaging/windows"
build="$(preset_folder windows)"

phase_start=$SECONDS
phase_done() {
    echo "windows.sh: $1 took $((SECONDS - phase_start)) s"
    phase_start=$SECONDS
}

qt="$(windows_qt)"
phase_done "the static Qt"

# shellcheck disable=SC2046 # one word a variable
export $(wine_environment "$TEMBRELA_CACHE/wine")
make_wine_prefix
phase_done "preparing Wine"

configure_windows "$build" "$qt"
build "$build"
phase_done "building the quiz"

# QtTest writes to the debugger instead when a program has no console. The
# offscreen platform on Windows reads fonts only from a folder it is given.
export QT_FORCE_STDERR_LOGGING=1
export QT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\liberation2'
run_tests windows
phase_done "the tests under Wine"

# Qt puts programs at the top of a Windows build, beside any libraries.
exe="$build/tembrela.exe"
# Only Windows' own libraries may be left to find on the learner's PC:
# those that Wine provides in its system folder, and the API sets
# (api-ms-win-*), which Windows' loader resolves itself.
imports="$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | grep -v '^api-ms-win-')"
for dll in $imports; do
    if [ ! -e "$WINEPREFIX/drive_c/windows/system32/${dll,,}" ]; then
        echo "tembrela.exe needs $dll, which is not part of Windows" >&2
        exit 1
    fi
done

# The protections Windows gives a program that asks for them, as MinGW-w64's
# linker asks by default: a base it may move (with the relocations to move
# it by) anywhere in the 64-bit space, and no code run from data (DEP).
headers="$(x86_64-w64-mingw32-objdump -p "$exe")"
characteristics="$(sed -n '/^DllCharacteristics/,/^SizeOf/p' <<<"$headers")"
for protection in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    if ! grep -qx "\s*$protection" <<<"$characteristics"; then
        echo "tembrela.exe lacks $protection among its DllCharacteristics" >&2
        exit 1
    fi
done
if ! grep -q '^Entry 5 [0-9a-f]* 0*[1-9a-f][0-9a-f]* Base Relocation Directory' <<<"$headers"; then
    echo "tembrela.exe has no base relocations: Windows could not move it" >&2
    exit 1
fi

"$windows/check-window.sh" "$exe"
phase_done "the program's window under Wine"

mapfile -t packages < <(package_windows "$build" "$TEMBRELA_ROOT/dist")
"$windows/check-msi.sh" "${packages[1]}" "$(windows_staging "$build")"
phase_done "packaging"

ls -l "${packages[@]}"

#!/usr/bin/env bash
# Builds the quiz for 64-bit Windows with MinGW-w64 against a static Qt made
# once from Debian's own Qt source, runs every test under Wine, and packages
# a portable zip and an MSI installer into dist/.
source "$(dirname "$0")/scripts/prepare.sh"

install_missing_packages "${TEMBRELA_WINDOWS_PACKAGES[@]}"

windows="$TEMBRELA_ROOT/packaging/windows"
build="$TEMBRELA_WINDOWS_BUILD"
dist="$TEMBRELA_ROOT/dist"

phase_start=$SECONDS
phase_done() {
    echo "windows.sh: $1 took $((SECONDS - phase_start)) s"
    phase_start=$SECONDS
}

qt="$(windows_qt_folder)"
if [ ! -f "$qt/.complete" ]; then
    build_windows_qt "$qt"
    phase_done "building Qt"
fi

[ -f "$TEMBRELA_CACHE/wine/system.reg" ] || new_wine=1
use_wine "$TEMBRELA_CACHE/wine"
[ -z "${new_wine:-}" ] || phase_done "preparing Wine"

configure_windows_build "$qt"
cmake --build "$build" --parallel 2
phase_done "building the quiz"

# QtTest writes to the debugger instead when a program has no console. The
# offscreen platform on Windows reads fonts only from a folder it is given.
export QT_FORCE_STDERR_LOGGING=1
export QT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\liberation2'
ctest --test-dir "$build" --output-on-failure --parallel 2 --no-tests=error
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

"$windows/check-window.sh" "$exe"
phase_done "the program's window under Wine"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
folder="tembrela-$version"
staging="$build/package"
rm -rf "$staging" && mkdir -p "$staging/$folder"
cp "$exe" "$staging/$folder/"
cp "$TEMBRELA_ROOT/LICENSE" "$staging/$folder/LICENSE.txt"
# Notepad of every Windows reads it as UTF-8 with the mark and CR LF.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' "$windows/ПРОЧЕТИ.txt"; } > "$staging/$folder/ПРОЧЕТИ.txt"
mkdir -p "$dist"
zip="$dist/tembrela-$version-windows-x64.zip"
msi="$dist/tembrela-$version-x64.msi"
rm -f "$zip" "$msi"
# bsdtar marks the Cyrillic file name as UTF-8, which Explorer reads; Info-ZIP
# here leaves it to be read in the DOS code page.
(cd "$staging" && bsdtar --format zip -cf "$zip" "$folder")

cp "$windows/tembrela.ico" "$staging/$folder/"
"$windows/build-msi.sh" "$version" "$staging/$folder" "$msi"

"$windows/check-msi.sh" "$msi" "$staging/$folder"
phase_done "packaging"

ls -l "$zip" "$msi"

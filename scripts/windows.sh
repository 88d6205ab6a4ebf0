# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# Sourced by windows.sh, release.sh and bench.sh: the static Qt for
# Windows, Wine, and the Windows program's zip and MSI. Only definitions:
# sourcing it changes nothing. Needs common.sh.

# windows_qt_folder: where the static Qt for Windows is kept: the same Qt
# as the Linux build's, made again when its version or its recipe changes.
windows_qt_folder() {
    local windows="$TEMBRELA_ROOT/packaging/windows"
    local version recipe
    version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
    # Licence lines change nothing that is built.
    recipe="$(cat "$windows"/build-qt.sh "$windows"/qtbase-mingw.patch "$windows"/mingw-w64.cmake \
        | grep -v 'SPDX-' | sha256sum | cut -c1-12)"
    echo "$TEMBRELA_CACHE/qt-$version-mingw-$recipe"
}

# windows_qt: the static Qt's folder, built first unless the cache has it;
# any other version kept beside it goes.
windows_qt() {
    local qt old
    qt="$(windows_qt_folder)"
    if [ ! -f "$qt/.complete" ]; then
        for old in "$TEMBRELA_CACHE"/qt-*; do
            [ "$old" = "$qt" ] || [ "$old" = "$qt.build" ] || rm -rf "$old"
        done
        mkdir -p "$TEMBRELA_CACHE"
        echo "Building Qt for Windows into $qt; this happens once." >&2
        "$TEMBRELA_ROOT/packaging/windows/build-qt.sh" \
            "$(dpkg-query -W -f='${source:Version}' qt6-base-dev)" "$qt" >&2
        touch "$qt/.complete"
    fi
    echo "$qt"
}

# configure_windows FOLDER QT: the cross build in FOLDER, against the static
# Qt in QT, with Wine to run what it builds.
configure_windows() {
    TEMBRELA_WINDOWS_QT="$2" configure windows "$1"
}

# wine_environment PREFIX: the variables that give Wine its own PREFIX,
# without the .NET and browser engines it would offer to download; for
# `export`.
wine_environment() {
    echo "WINEPREFIX=$1" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml="
}

# make_wine_prefix: the exported WINEPREFIX, made on first use.
make_wine_prefix() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot --init
        wineserver --wait
    fi
}

# mtree_name TEXT: TEXT as an mtree(5) file names it, every byte but the
# plainest written in octal.
mtree_name() {
    printf '%s' "$1" | perl -pe 's{([^A-Za-z0-9._/-])}{sprintf("\\%03o", ord $1)}ge'
}

# windows_staging BUILD: the folder the MSI is made of.
windows_staging() {
    echo "$1/package/tembrela-$(project_version "$1")"
}

# package_windows BUILD DIST: the portable zip and the MSI of the program
# built in BUILD, into DIST; prints their paths, the zip's first.
package_windows() {
    local build="$1" dist="$2" windows="$TEMBRELA_ROOT/packaging/windows"
    local version folder staging zip msi file mode
    version="$(project_version "$build")"
    folder="tembrela-$version"
    staging="$(windows_staging "$build")"
    rm -rf "$build/package" && mkdir -p "$staging"
    # Qt puts programs at the top of a Windows build, beside any libraries.
    cp "$build/tembrela.exe" "$staging/"
    cp "$TEMBRELA_ROOT/LICENSE" "$staging/LICENSE.txt"
    # Notepad of every Windows reads it as UTF-8 with the mark and CR LF.
    { printf '\xef\xbb\xbf'; sed 's/$/\r/' "$windows/ПРОЧЕТИ.txt"; } >"$staging/ПРОЧЕТИ.txt"
    { printf '\xef\xbb\xbf'; sed 's/$/\r/' "$TEMBRELA_ROOT/РЪКОВОДСТВО.md"; } >"$staging/РЪКОВОДСТВО.txt"
    mkdir -p "$dist"
    zip="$dist/tembrela-$version-windows-x64.zip"
    msi="$dist/tembrela-$version-x64.msi"
    rm -f "$zip" "$msi"

    # The zip is described entry by entry, in a fixed order and with fixed
    # modes, owners and the source's date: read from the disk, bsdtar would
    # also store each file's access and change times. It marks the Cyrillic
    # name as UTF-8, which Explorer reads; Info-ZIP here leaves it to be
    # read in the DOS code page.
    local date
    date="$(source_date_epoch)"
    {
        echo "#mtree"
        echo "$folder type=dir mode=0755 uid=0 gid=0 time=$date"
        for file in LICENSE.txt tembrela.exe ПРОЧЕТИ.txt РЪКОВОДСТВО.txt; do
            mode=0644
            [ "$file" != tembrela.exe ] || mode=0755
            echo "$(mtree_name "$folder/$file") type=file mode=$mode uid=0 gid=0 time=$date" \
                "contents=$(mtree_name "$staging/$file")"
        done
    } | TZ=UTC bsdtar --format zip -cf "$zip" @-

    # The MSI's cabinet dates each file by its time on disk.
    cp "$windows/tembrela.ico" "$staging/"
    touch --no-dereference --date="@$date" "$staging"/*
    "$windows/build-msi.sh" "$version" "$staging" "$msi" >&2
    printf '%s\n' "$zip" "$msi"
}

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds Qt's base module for 64-bit Windows as static libraries, from
# the same Debian source package as the Qt the Linux build uses, and
# installs it into the folder given. Only what the quiz and its tests need
# is built. Usage: build-qt.sh SOURCE_VERSION PREFIX
set -euo pipefail

version="$1"
prefix="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# Kept when a step fails, so that the next run goes on where this one
# stopped.
work="$prefix.build"

# A private apt state with one deb-src line: the system's apt configuration
# stays as it was, and no root is needed.
if [ ! -d "$work/qtbase" ]; then
    rm -rf "$work" && mkdir -p "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
    . /etc/os-release
    echo "deb-src http://deb.debian.org/debian $VERSION_CODENAME main" > "$work/apt/sources.list"
    apt_options=(
        -o Dir::Etc::SourceList="$work/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
        -o Dir::State::Lists="$work/apt/lists" -o Dir::Cache="$work/apt/cache"
        -o Debug::NoLocking=1 -o APT::Sandbox::User="$(id -un)"
    )
    apt-get "${apt_options[@]}" -qq update
    (cd "$work" && apt-get "${apt_options[@]}" -qq source --download-only "qt6-base=$version")
    dpkg-source --no-check -x "$work"/qt6-base_*.dsc "$work/qtbase.partial" >/dev/null
    patch -d "$work/qtbase.partial" -p1 --quiet < "$here/qtbase-mingw.patch"
    mv "$work/qtbase.partial" "$work/qtbase"
fi

# Qt's host tools (moc, rcc, uic) are Debian's own of the same version.
# What the quiz does not use stays out, as this build is the longest that
# CI makes from an empty cache: the modules, image formats and graphics
# back-ends, then the widgets, dialogs, views, text formats and calendars.
# The quiz paints with Fusion everywhere, so Windows' own style is left out
# too.
[ -f "$work/build/build.ninja" ] || cmake -S "$work/qtbase" -B "$work/build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF -DFEATURE_static_runtime=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_opengl_dynamic=OFF -DFEATURE_direct2d=OFF \
    -DFEATURE_icu=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
    -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF \
    -DFEATURE_harfbuzz=ON -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_style_windowsvista=OFF -DFEATURE_graphicsview=OFF -DFEATURE_graphicseffect=OFF \
    -DFEATURE_dockwidget=OFF -DFEATURE_mdiarea=OFF -DFEATURE_calendarwidget=OFF \
    -DFEATURE_datetimeedit=OFF -DFEATURE_keysequenceedit=OFF \
    -DFEATURE_fontcombobox=OFF -DFEATURE_toolbox=OFF -DFEATURE_commandlinkbutton=OFF \
    -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF -DFEATURE_splashscreen=OFF -DFEATURE_wizard=OFF \
    -DFEATURE_colordialog=OFF -DFEATURE_fontdialog=OFF -DFEATURE_filedialog=OFF \
    -DFEATURE_inputdialog=OFF -DFEATURE_progressdialog=OFF -DFEATURE_errormessage=OFF \
    -DFEATURE_textbrowser=OFF -DFEATURE_syntaxhighlighter=OFF -DFEATURE_undoview=OFF \
    -DFEATURE_tablewidget=OFF -DFEATURE_treewidget=OFF -DFEATURE_tableview=OFF \
    -DFEATURE_treeview=OFF -DFEATURE_columnview=OFF -DFEATURE_datawidgetmapper=OFF \
    -DFEATURE_fscompleter=OFF -DFEATURE_filesystemmodel=OFF \
    -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF \
    -DFEATURE_pdf=OFF -DFEATURE_movie=OFF -DFEATURE_systemtrayicon=OFF \
    -DFEATURE_undocommand=OFF -DFEATURE_undostack=OFF -DFEATURE_undogroup=OFF \
    -DFEATURE_mimetype=OFF -DFEATURE_jalalicalendar=OFF -DFEATURE_islamiccivilcalendar=OFF \
    -DFEATURE_sharedmemory=OFF -DFEATURE_systemsemaphore=OFF \
    -DFEATURE_transposeproxymodel=OFF -DFEATURE_concatenatetablesproxymodel=OFF
nice cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build" >/dev/null
rm -rf "$work"

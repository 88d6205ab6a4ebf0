# Sourced by run.sh, test.sh, bench.sh, windows.sh, web.sh and release.sh:
# installs the Debian packages that are missing (asking apt nothing when all
# are there) and builds, for Linux, Windows or the browser.
set -euo pipefail

TEMBRELA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TEMBRELA_BUILD="$TEMBRELA_ROOT/build"
TEMBRELA_SANITIZE_BUILD="$TEMBRELA_ROOT/build-sanitize"
TEMBRELA_WINDOWS_BUILD="$TEMBRELA_ROOT/build-windows"
TEMBRELA_CACHE="${XDG_CACHE_HOME:-$HOME/.cache}/tembrela"

# Every time an artefact records (its files', its archive entries', its
# installer's dates) is the last commit's, so that one commit builds to the
# same bytes anywhere and at any time. A tree without git keeps the clock.
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git -C "$TEMBRELA_ROOT" rev-parse HEAD >/dev/null 2>&1; then
    SOURCE_DATE_EPOCH="$(git -C "$TEMBRELA_ROOT" log -1 --format=%ct)"
    export SOURCE_DATE_EPOCH
fi

# What building and running the quiz needs. build/ holds the tests too, and
# the accessibility test needs Qt's private headers to configure.
TEMBRELA_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-qpa-plugins libgl-dev
    fonts-liberation2
)
# What the tests need beyond that: validators and packaging tools; clang
# with its sanitizer and libFuzzer run-times for the second, checked build,
# and llvm-symbolizer, without which a report names no function and so no
# leak suppression by function name matches; a private X server to read the
# installed window's class; and for the screen-reader test a private
# desktop (window manager, session and accessibility buses, settings
# store), Orca, its speech server with a voice, a way to type keys into the
# window, and Python's AT-SPI binding, which the test asks whether the
# program is on the bus (Debian 13's Orca no longer brings it); for the
# Wayland test a compositor, Qt's Wayland platform, and Wayland clients that
# type keys, read the clipboard and grab the screen.
TEMBRELA_TEST_PACKAGES=(
    "${TEMBRELA_PACKAGES[@]}"
    desktop-file-utils appstream dpkg-dev file reuse
    clang libclang-rt-dev llvm
    xvfb x11-utils openbox dbus-daemon at-spi2-core libglib2.0-bin dconf-gsettings-backend
    gsettings-desktop-schemas orca speech-dispatcher speech-dispatcher-espeak-ng xdotool
    python3-pyatspi
    sway qt6-wayland wtype wl-clipboard grim
)
# sway refuses to run as root, so run by root the Wayland test starts it
# under this account, which has no home and no login.
TEMBRELA_TEST_ACCOUNT=tembrela-test
# What the benchmarks need beyond that: a private X server and session bus
# for the start-up.
TEMBRELA_BENCH_PACKAGES=(
    "${TEMBRELA_PACKAGES[@]}"
    xvfb xauth dbus-daemon
)

# What windows.sh needs: MinGW-w64, Debian's Qt source and host tools for
# the static Qt, Wine and a private X server to run the tests and the
# program, and the MSI and zip tools, with uuidgen for the MSI's codes and
# faketime to stop the clock wixl dates it by.
TEMBRELA_WINDOWS_PACKAGES=(
    cmake ninja-build qt6-base-dev qt6-base-dev-tools fonts-liberation2
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix dpkg-dev patch xz-utils
    wine wine64 xvfb xauth x11-utils wixl msitools libarchive-tools uuid-runtime faketime
)

# What bench.sh --windows needs beyond that: a window manager. Without one,
# Wine waits two seconds for each closing window to be withdrawn.
TEMBRELA_BENCH_WINDOWS_PACKAGES=(
    "${TEMBRELA_WINDOWS_PACKAGES[@]}"
    openbox
)

# What web.sh needs: Debian's emscripten (its run-time libraries come
# prebuilt with it, so nothing is compiled into a cache on first use),
# fontTools with Brotli to cut the font down to a WOFF2 file, the font, and
# the browsers to test the page in: Chromium, Firefox ESR, and WebKitGTK's
# MiniBrowser under its WebDriver, on a private X server; Java for the W3C's
# HTML checker.
TEMBRELA_WEB_PACKAGES=(
    cmake ninja-build emscripten fonttools python3-brotli fonts-liberation2
    chromium firefox-esr webkit2gtk-driver xvfb default-jre-headless
)

missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
            || printf '%s\n' "$package"
    done
}

install_missing_packages() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

create_test_account() {
    [ "$(id -u)" -eq 0 ] || return 0
    id "$TEMBRELA_TEST_ACCOUNT" >/dev/null 2>&1 && return 0
    echo "Creating the account $TEMBRELA_TEST_ACCOUNT for the Wayland test"
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
        "$TEMBRELA_TEST_ACCOUNT"
}

# configure DIR [cmake options...]: once; later runs keep what it chose.
configure() {
    local dir="$1"
    shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$TEMBRELA_ROOT" -B "$dir" -G Ninja "$@"
    fi
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
    configure "$@"
    cmake --build "$1" --parallel 2
}

# The folder of the static Qt for Windows: the same Qt as the Linux build's,
# made again when its version or its recipe changes.
windows_qt_folder() {
    local windows="$TEMBRELA_ROOT/packaging/windows"
    local version recipe
    version="$(dpkg-query -W -f='${source:Version}' qt6-base-dev)"
    # Licence lines change nothing that is built.
    recipe="$(cat "$windows"/build-qt.sh "$windows"/qtbase-mingw.patch "$windows"/mingw-w64.cmake \
        | grep -v 'SPDX-' | sha256sum | cut -c1-12)"
    echo "$TEMBRELA_CACHE/qt-$version-mingw-$recipe"
}

# build_windows_qt FOLDER: builds that Qt into FOLDER, once, and removes any
# other version kept beside it.
build_windows_qt() {
    local qt="$1" old
    for old in "$TEMBRELA_CACHE"/qt-*; do
        [ "$old" = "$qt" ] || [ "$old" = "$qt.build" ] || rm -rf "$old"
    done
    mkdir -p "$TEMBRELA_CACHE"
    echo "Building Qt for Windows into $qt; this happens once."
    "$TEMBRELA_ROOT/packaging/windows/build-qt.sh" \
        "$(dpkg-query -W -f='${source:Version}' qt6-base-dev)" "$qt"
    touch "$qt/.complete"
}

# project_version BUILD: the version project() gives, as the configured
# BUILD holds it; every artefact's name and contents take it from there.
project_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

# build_debian_package BUILD DIST: the Debian package of the configured
# BUILD, into DIST. Only the program is built for it: the install does not
# ask for everything when BUILD is configured with
# CMAKE_SKIP_INSTALL_ALL_DEPENDENCY.
build_debian_package() {
    local build="$1" dist="$2"
    cmake --build "$build" --parallel 2 --target tembrela
    rm -f "$build"/*.deb
    (cd "$build" && cpack >/dev/null)
    mkdir -p "$dist"
    cp "$build"/tembrela_"$(project_version "$build")"_*.deb "$dist/"
}

# build_windows_qt_once: the static Qt for Windows, built unless the cache
# has it; prints its folder.
build_windows_qt_once() {
    local qt
    qt="$(windows_qt_folder)"
    [ -f "$qt/.complete" ] || build_windows_qt "$qt" >&2
    echo "$qt"
}

# mtree_name TEXT: TEXT as an mtree(5) file names it, every byte but the
# plainest written in octal.
mtree_name() {
    printf '%s' "$1" | perl -pe 's{([^A-Za-z0-9._/-])}{sprintf("\\%03o", ord $1)}ge'
}

# package_windows BUILD DIST: the portable zip and the MSI of the program
# built in BUILD, into DIST. Sets windows_staging (the folder the MSI is
# made of), windows_zip and windows_msi.
package_windows() {
    local build="$1" dist="$2" windows="$TEMBRELA_ROOT/packaging/windows"
    local version folder file mode
    version="$(project_version "$build")"
    folder="tembrela-$version"
    windows_staging="$build/package/$folder"
    rm -rf "$build/package" && mkdir -p "$windows_staging"
    # Qt puts programs at the top of a Windows build, beside any libraries.
    cp "$build/tembrela.exe" "$windows_staging/"
    cp "$TEMBRELA_ROOT/LICENSE" "$windows_staging/LICENSE.txt"
    # Notepad of every Windows reads it as UTF-8 with the mark and CR LF.
    { printf '\xef\xbb\xbf'; sed 's/$/\r/' "$windows/ПРОЧЕТИ.txt"; } > "$windows_staging/ПРОЧЕТИ.txt"
    mkdir -p "$dist"
    windows_zip="$dist/tembrela-$version-windows-x64.zip"
    windows_msi="$dist/tembrela-$version-x64.msi"
    rm -f "$windows_zip" "$windows_msi"

    # The zip is described entry by entry, in a fixed order and with fixed
    # modes, owners and the source's date: read from the disk, bsdtar would
    # also store each file's access and change times. It marks the Cyrillic
    # name as UTF-8, which Explorer reads; Info-ZIP here leaves it to be
    # read in the DOS code page.
    local date="${SOURCE_DATE_EPOCH:-$(date +%s)}"
    {
        echo "#mtree"
        echo "$folder type=dir mode=0755 uid=0 gid=0 time=$date"
        for file in LICENSE.txt tembrela.exe ПРОЧЕТИ.txt; do
            mode=0644
            [ "$file" != tembrela.exe ] || mode=0755
            echo "$(mtree_name "$folder/$file") type=file mode=$mode uid=0 gid=0 time=$date" \
                "contents=$(mtree_name "$windows_staging/$file")"
        done
    } | TZ=UTC bsdtar --format zip -cf "$windows_zip" @-

    # The MSI's cabinet dates each file by its time on disk.
    cp "$windows/tembrela.ico" "$windows_staging/"
    touch --no-dereference --date="@$date" "$windows_staging"/*
    "$windows/build-msi.sh" "$version" "$windows_staging" "$windows_msi"
}

# configure_windows_build QT: the cross build in build-windows/, against the
# static Qt in QT, with Wine to run what it builds.
configure_windows_build() {
    local windows="$TEMBRELA_ROOT/packaging/windows"
    cmake -S "$TEMBRELA_ROOT" -B "$TEMBRELA_WINDOWS_BUILD" -G Ninja -Wno-dev \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$windows/mingw-w64.cmake" \
        -DCMAKE_PREFIX_PATH="$1" -DCMAKE_FIND_ROOT_PATH="$1" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$windows/wine-run.sh" >/dev/null
}

# use_wine PREFIX: a Wine of our own in PREFIX, made on first use, without
# the .NET and browser engines it would offer to download.
use_wine() {
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot --init
        wineserver --wait
    fi
}

# The page for the browser is built into build-web/, and again with
# AddressSanitizer and UndefinedBehaviorSanitizer into build-web-sanitize/,
# which web.sh only tests. The page's Orca test runs the ordinary build's
# screen-reader test, named here.
TEMBRELA_WEB_BUILD="$TEMBRELA_ROOT/build-web"
TEMBRELA_WEB_SANITIZE_BUILD="$TEMBRELA_ROOT/build-web-sanitize"

# build_page BUILD [cmake options...]: configured once; later runs keep
# what it chose.
build_page() {
    local build="$1"
    shift
    # Debian's emscripten finds its JavaScript modules here when the node on
    # the PATH is not Debian's.
    export NODE_PATH=/usr/share/nodejs
    if [ ! -f "$build/CMakeCache.txt" ]; then
        emcmake cmake -S "$TEMBRELA_ROOT" -B "$build" -G Ninja "$@" >/dev/null
    fi
    cmake --build "$build" --parallel 2
}

build_web_page() {
    build_page "$TEMBRELA_WEB_BUILD" -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DTEMBRELA_SCREENREADER_TEST="$TEMBRELA_BUILD/tests/tst_screenreader"
}

# With debug information, a report names the functions on its stack. Orca
# is left out: it would drive the same code by the same keys as the page's
# own test, only slower.
build_sanitized_web_page() {
    build_page "$TEMBRELA_WEB_SANITIZE_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTEMBRELA_SANITIZE=ON
}

# copy_page DIST: the built page into DIST, named with the version, and
# the folder a site serves it from as an app into DIST/web; sets page_copy
# to the page.
copy_page() {
    mkdir -p "$1"
    page_copy="$1/tembrela-$(project_version "$TEMBRELA_WEB_BUILD").html"
    cp "$TEMBRELA_WEB_BUILD/tembrela.html" "$page_copy"
    rm -rf "$1/web"
    cp -r "$TEMBRELA_WEB_BUILD/site" "$1/web"
}

# install_page_test_driver [BUILD]: the page's test driver beside the
# page's build (build-web/ unless named), pinned by its lock file; npm keeps
# what it fetched in the user's cache.
install_page_test_driver() {
    local node="${1:-$TEMBRELA_WEB_BUILD}/node"
    # npm comes with Node.js from elsewhere than Debian; Debian's own is a
    # package of its own.
    command -v npm >/dev/null 2>&1 || install_missing_packages npm

    cp "$TEMBRELA_ROOT"/web/tests/package.json "$TEMBRELA_ROOT"/web/tests/package-lock.json "$node/"
    if ! cmp -s "$node/package-lock.json" "$node/node_modules/.installed-lock.json"; then
        # No package's own install script runs: vnu-jar's would fetch a Java
        # runtime where Debian's is missing.
        (cd "$node" && npm ci --ignore-scripts --cache "$TEMBRELA_CACHE/npm" --no-audit --no-fund \
            --loglevel=error)
        cp "$node/package-lock.json" "$node/node_modules/.installed-lock.json"
    fi
}

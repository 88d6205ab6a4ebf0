# Sourced by run.sh, test.sh, bench.sh, windows.sh and web.sh: installs the
# Debian packages that are missing (asking apt nothing when all are there)
# and builds, for Linux or for Windows.
set -euo pipefail

TEMBRELA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TEMBRELA_BUILD="$TEMBRELA_ROOT/build"
TEMBRELA_SANITIZE_BUILD="$TEMBRELA_ROOT/build-sanitize"
TEMBRELA_WINDOWS_BUILD="$TEMBRELA_ROOT/build-windows"
TEMBRELA_CACHE="${XDG_CACHE_HOME:-$HOME/.cache}/tembrela"

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
    desktop-file-utils appstream dpkg-dev file
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
# program, and the MSI and zip tools.
TEMBRELA_WINDOWS_PACKAGES=(
    cmake ninja-build qt6-base-dev qt6-base-dev-tools fonts-liberation2
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix dpkg-dev patch xz-utils
    wine wine64 xvfb xauth x11-utils wixl msitools libarchive-tools
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
# Chromium to test the page in.
TEMBRELA_WEB_PACKAGES=(
    cmake ninja-build emscripten fonttools python3-brotli fonts-liberation2 chromium
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
    recipe="$(cat "$windows"/build-qt.sh "$windows"/qtbase-mingw.patch "$windows"/mingw-w64.cmake \
        | sha256sum | cut -c1-12)"
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

# Builds the page for the browser into build-web/ and installs its test
# driver beside it, pinned by its lock file; npm keeps what it fetched in
# the user's cache. The page's Orca test runs the ordinary build's
# screen-reader test, named here.
TEMBRELA_WEB_BUILD="$TEMBRELA_ROOT/build-web"
build_web_page() {
    # Debian's emscripten finds its JavaScript modules here when the node on
    # the PATH is not Debian's.
    export NODE_PATH=/usr/share/nodejs
    # npm comes with Node.js from elsewhere than Debian; Debian's own is a
    # package of its own.
    command -v npm >/dev/null 2>&1 || install_missing_packages npm
    if [ ! -f "$TEMBRELA_WEB_BUILD/CMakeCache.txt" ]; then
        emcmake cmake -S "$TEMBRELA_ROOT" -B "$TEMBRELA_WEB_BUILD" -G Ninja \
            -DCMAKE_BUILD_TYPE=MinSizeRel \
            -DTEMBRELA_SCREENREADER_TEST="$TEMBRELA_BUILD/tests/tst_screenreader" >/dev/null
    fi
    cmake --build "$TEMBRELA_WEB_BUILD" --parallel 2

    local node="$TEMBRELA_WEB_BUILD/node"
    cp "$TEMBRELA_ROOT"/web/tests/package.json "$TEMBRELA_ROOT"/web/tests/package-lock.json "$node/"
    if ! cmp -s "$node/package-lock.json" "$node/node_modules/.installed-lock.json"; then
        (cd "$node" && npm ci --cache "$TEMBRELA_CACHE/npm" --no-audit --no-fund --loglevel=error)
        cp "$node/package-lock.json" "$node/node_modules/.installed-lock.json"
    fi
}

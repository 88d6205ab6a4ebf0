# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# Sourced by the scripts: the Debian packages each needs, and their install.
# Only definitions: sourcing it changes nothing.

# What building and running the quiz needs. build/ holds the tests too, and
# the accessibility test needs Qt's private headers to configure;
# dpkg-buildflags gives the hardening flags the program is built with.
TEMBRELA_PACKAGES=(
    cmake ninja-build g++ pkg-config dpkg-dev
    qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-qpa-plugins libgl-dev
    fonts-liberation2
)
# What the tests need beyond that: validators and packaging tools, with
# Debian's own checks of a package and of a program's hardening; clang
# with its sanitizer and libFuzzer run-times for the second, checked build,
# and llvm-symbolizer, without which a report names no function and so no
# leak suppression by function name matches; the formatter and the two
# analysers that build runs; a private X server to read the installed
# window's class; and for the screen-reader test a private desktop (window
# manager, session and accessibility buses, settings store), Orca, its
# speech server with a voice, a way to type keys into the window, and
# Python's AT-SPI binding, which the test asks whether the program is on
# the bus (Debian 13's Orca no longer brings it); for the Wayland test a
# compositor, Qt's Wayland platform, and Wayland clients that type keys,
# read the clipboard and grab the screen.
TEMBRELA_TEST_PACKAGES=(
    "${TEMBRELA_PACKAGES[@]}"
    desktop-file-utils appstream file lintian devscripts reuse
    clang libclang-rt-dev llvm clang-format clang-tidy clazy
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

# missing_packages PACKAGE...: those of PACKAGE... not installed, one a line.
missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
            || printf '%s\n' "$package"
    done
}

# install_missing_packages PACKAGE...: installs those missing, through sudo
# when not root; asks apt nothing when none is.
install_missing_packages() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
            return 1
        fi
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# create_test_account: the Wayland test's account, made once, when root.
create_test_account() {
    [ "$(id -u)" -eq 0 ] || return 0
    id "$TEMBRELA_TEST_ACCOUNT" >/dev/null 2>&1 && return 0
    echo "Creating the account $TEMBRELA_TEST_ACCOUNT for the Wayland test"
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin \
        "$TEMBRELA_TEST_ACCOUNT"
}

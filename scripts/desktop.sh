# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# Sourced by release.sh: the desktop program's Debian package. Only
# definitions: sourcing it changes nothing. Needs common.sh.

# build_debian_package BUILD DIST: the Debian package of the configured
# BUILD, into DIST; prints its path. Only the program is built for it: the
# install does not ask for everything when BUILD is configured with
# CMAKE_SKIP_INSTALL_ALL_DEPENDENCY.
build_debian_package() {
    local build="$1" dist="$2" package
    build "$build" tembrela >&2
    rm -f "$build"/*.deb
    (cd "$build" && cpack >/dev/null)
    package="$(echo "$build"/tembrela_"$(project_version "$build")"_*.deb)"
    mkdir -p "$dist"
    cp "$package" "$dist/"
    echo "$dist/${package##*/}"
}

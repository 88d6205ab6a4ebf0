#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds every artefact a school uses into dist/, named with the version,
# with SHA256SUMS over them: the Debian package, the Windows zip and MSI and
# the page. It runs no tests (test.sh, windows.sh and web.sh do): it builds
# the committed tree afresh, in build-release/, so that what it writes
# follows from the commit alone and a rebuild gives the same bytes.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
source "$TEMBRELA_ROOT/scripts/packages.sh"
source "$TEMBRELA_ROOT/scripts/desktop.sh"
source "$TEMBRELA_ROOT/scripts/windows.sh"
source "$TEMBRELA_ROOT/scripts/web.sh"

if [ -n "$(git -C "$TEMBRELA_ROOT" status --porcelain)" ]; then
    echo "release.sh: the tree has changes not committed; a release is built from a commit." >&2
    git -C "$TEMBRELA_ROOT" status --short >&2
    exit 1
fi

install_missing_packages "${TEMBRELA_PACKAGES[@]}" dpkg-dev file \
    "${TEMBRELA_WINDOWS_PACKAGES[@]}" "${TEMBRELA_WEB_PACKAGES[@]}"
SOURCE_DATE_EPOCH="$(source_date_epoch)"
export SOURCE_DATE_EPOCH

started=$SECONDS
builds="$TEMBRELA_ROOT/build-release"
dist="$TEMBRELA_ROOT/dist"
rm -rf "$builds" "$dist"

configure desktop "$builds/linux" -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
build_debian_package "$builds/linux" "$dist" >/dev/null

build_page web "$builds/web"
copy_page "$builds/web" "$dist" >/dev/null

configure_windows "$builds/windows" "$(windows_qt)"
build "$builds/windows" tembrela
package_windows "$builds/windows" "$dist" >/dev/null

# Whatever the steps put in dist/, in folders too, is listed, so that
# `sha256sum -c SHA256SUMS` there checks all of it.
(cd "$dist" && find . -type f ! -name SHA256SUMS -printf '%P\n' | LC_ALL=C sort \
    | xargs -d '\n' sha256sum > SHA256SUMS)

echo "release.sh: version $(project_version "$builds/linux") of commit" \
    "$(git -C "$TEMBRELA_ROOT" rev-parse --short HEAD), built in $((SECONDS - started)) s, in dist/:"
(cd "$dist" && find . -type f -printf '%P\t%s\n' | LC_ALL=C sort \
    | awk -F'\t' '{ printf "  %10d bytes  %s\n", $2, $1 }')

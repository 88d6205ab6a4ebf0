# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# Sourced by web.sh, release.sh and bench.sh: the page's build and its test
# drivers. Only definitions: sourcing it changes nothing. Needs common.sh.

# build_page PRESET FOLDER [cmake options...]: the page of PRESET (web, or
# web-sanitize with AddressSanitizer and UndefinedBehaviorSanitizer),
# built in FOLDER.
build_page() {
    local preset="$1" folder="$2"
    shift 2
    configure "$preset" "$folder" "$@"
    # Debian's emscripten finds its JavaScript modules here when the node on
    # the PATH is not Debian's.
    NODE_PATH=/usr/share/nodejs build "$folder"
}

# install_page_test_driver FOLDER: the page's test drivers beside the
# page's build in FOLDER, pinned by their lock file; npm keeps what it
# fetched in the cache.
install_page_test_driver() {
    local node="$1/node"
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

# copy_page FOLDER DIST: the page built in FOLDER into DIST, named with the
# version, and the folder a site serves it from as an app into DIST/web;
# prints the page's copy.
copy_page() {
    local folder="$1" dist="$2" copy
    mkdir -p "$dist"
    copy="$dist/tembrela-$(project_version "$folder").html"
    cp "$folder/tembrela.html" "$copy"
    rm -rf "$dist/web"
    cp -r "$folder/site" "$dist/web"
    echo "$copy"
}

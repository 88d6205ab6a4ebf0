#!/usr/bin/env bash
# Builds the quiz for the browser: the same rules compiled to WebAssembly on
# real HTML controls, put with its font and style into one HTML file; tests
# it in Chromium, opened from disk with the network off; and writes it to
# dist/tembrela.html.
source "$(dirname "$0")/scripts/prepare.sh"

# Orca reads the page on the private desktop of the desktop's own
# screen-reader test, which the ordinary build makes.
install_missing_packages "${TEMBRELA_WEB_PACKAGES[@]}" "${TEMBRELA_TEST_PACKAGES[@]}"
# npm comes with Node.js from elsewhere than Debian; Debian's own is a
# package of its own.
command -v npm >/dev/null 2>&1 || install_missing_packages npm

build="$TEMBRELA_ROOT/build-web"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/tembrela"
# Debian's emscripten finds its JavaScript modules here when the node on
# the PATH is not Debian's.
export NODE_PATH=/usr/share/nodejs

if [ ! -f "$TEMBRELA_BUILD/CMakeCache.txt" ]; then
    cmake -S "$TEMBRELA_ROOT" -B "$TEMBRELA_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$TEMBRELA_BUILD" --parallel 2 --target tst_screenreader

if [ ! -f "$build/CMakeCache.txt" ]; then
    emcmake cmake -S "$TEMBRELA_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
        -DTEMBRELA_SCREENREADER_TEST="$TEMBRELA_BUILD/tests/tst_screenreader" >/dev/null
fi
cmake --build "$build" --parallel 2

# The test driver, pinned by its lock file; npm keeps what it fetched in the
# user's cache.
node="$build/node"
mkdir -p "$node"
cp "$TEMBRELA_ROOT"/web/tests/package.json "$TEMBRELA_ROOT"/web/tests/package-lock.json "$node/"
if ! cmp -s "$node/package-lock.json" "$node/node_modules/.installed-lock.json"; then
    (cd "$node" && npm ci --cache "$cache/npm" --no-audit --no-fund --loglevel=error)
    cp "$node/package-lock.json" "$node/node_modules/.installed-lock.json"
fi

ctest --test-dir "$build" --output-on-failure --no-tests=error

page="$build/tembrela.html"
limit=$((512 * 1024))
size=$(stat -c %s "$page")
if [ "$size" -gt "$limit" ]; then
    echo "web.sh: the page is $size bytes, more than $limit" >&2
    exit 1
fi
mkdir -p "$TEMBRELA_ROOT/dist"
cp "$page" "$TEMBRELA_ROOT/dist/tembrela.html"
echo "web.sh: dist/tembrela.html, $size bytes ($(gzip -9 <"$page" | wc -c) gzipped)"

#!/usr/bin/env bash
# Builds the quiz for the browser: the same rules compiled to WebAssembly on
# real HTML controls, put with its font and style into one HTML file; plays
# it in Chromium, Firefox and WebKit, opened from disk with the network off,
# and in Chromium served from 127.0.0.1 as an installable app; plays random
# games on it in all three against the reference model; tests a
# second build of it with AddressSanitizer and UndefinedBehaviorSanitizer
# the same way; and writes the ordinary page to dist/tembrela-VERSION.html,
# and with what a site needs to serve it as that app, to dist/web/.
source "$(dirname "$0")/scripts/prepare.sh"

# Orca reads the page on the private desktop of the desktop's own
# screen-reader test, which the ordinary build makes.
install_missing_packages "${TEMBRELA_WEB_PACKAGES[@]}" "${TEMBRELA_TEST_PACKAGES[@]}"
configure "$TEMBRELA_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$TEMBRELA_BUILD" --parallel 2 --target tst_screenreader
build_web_page
install_page_test_driver
ctest --test-dir "$TEMBRELA_WEB_BUILD" --output-on-failure --no-tests=error

# Any sanitizer report fails its test: undefined behaviour is reported on
# the console, and a memory fault aborts the program, which the page shows
# as an error.
build_sanitized_web_page
install_page_test_driver "$TEMBRELA_WEB_SANITIZE_BUILD"
ctest --test-dir "$TEMBRELA_WEB_SANITIZE_BUILD" --output-on-failure --no-tests=error

page="$TEMBRELA_WEB_BUILD/tembrela.html"
limit=$((512 * 1024))
size=$(stat -c %s "$page")
if [ "$size" -gt "$limit" ]; then
    echo "web.sh: the page is $size bytes, more than $limit" >&2
    exit 1
fi
copy_page "$TEMBRELA_ROOT/dist"
echo "web.sh: ${page_copy#"$TEMBRELA_ROOT/"}, $size bytes ($(gzip -9 <"$page" | wc -c) gzipped), and dist/web/"

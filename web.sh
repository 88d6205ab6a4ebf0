#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the quiz for the browser: the same rules compiled to WebAssembly on
# real HTML controls, put with its font and style into one HTML file; plays
# it in Chromium, Firefox and WebKit, opened from disk with the network off,
# and in Chromium served from 127.0.0.1 as an installable app; plays random
# games on it in all three against the reference model; tests a
# second build of it with AddressSanitizer and UndefinedBehaviorSanitizer
# the same way; and writes the ordinary page to dist/tembrela-VERSION.html,
# and with what a site needs to serve it as that app, to dist/web/.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
source "$TEMBRELA_ROOT/scripts/packages.sh"
source "$TEMBRELA_ROOT/scripts/web.sh"

# Orca reads the page on the private desktop of the desktop's own
# screen-reader test, which the ordinary build makes.
install_missing_packages "${TEMBRELA_WEB_PACKAGES[@]}" "${TEMBRELA_TEST_PACKAGES[@]}"
SOURCE_DATE_EPOCH="$(source_date_epoch)"
export SOURCE_DATE_EPOCH
configure desktop
build "$(preset_folder desktop)" tst_screenreader

page_build="$(preset_folder web)"
build_page web "$page_build"
install_page_test_driver "$page_build"
run_tests web

# Any sanitizer report fails its test: undefined behaviour is reported on
# the console, and a memory fault aborts the program, which the page shows
# as an error.
sanitized_build="$(preset_folder web-sanitize)"
build_page web-sanitize "$sanitized_build"
install_page_test_driver "$sanitized_build"
run_tests web-sanitize

page="$page_build/tembrela.html"
limit=$((512 * 1024))
size=$(stat -c %s "$page")
if [ "$size" -gt "$limit" ]; then
    echo "web.sh: the page is $size bytes, more than $limit" >&2
    exit 1
fi
copy="$(copy_page "$page_build" "$TEMBRELA_ROOT/dist")"
echo "web.sh: ${copy#"$TEMBRELA_ROOT/"}, $size bytes ($(gzip -9 <"$page" | wc -c) gzipped), and dist/web/"

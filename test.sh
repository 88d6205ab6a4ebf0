#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
source "$(dirname "$0")/scripts/prepare.sh"

install_missing_packages "${TEMBRELA_TEST_PACKAGES[@]}"
configure_and_build "$TEMBRELA_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$TEMBRELA_BUILD" --output-on-failure --parallel 2

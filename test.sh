#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds, and runs every test headless: first the
# ordinary build (with the formatting check), then the whole suite and the
# fuzzers built by clang with AddressSanitizer and UndefinedBehaviorSanitizer,
# with clazy and clang-tidy over the product code. Any test that cannot run
# for want of a tool fails, naming it.
#
# For the quick loop while changing quiz/ or window/:
#   cmake --build --preset desktop && ctest --preset quick
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
source "$TEMBRELA_ROOT/scripts/packages.sh"

install_missing_packages "${TEMBRELA_TEST_PACKAGES[@]}"
create_test_account
# Every file says its copyright and licence, in its head or, where it
# cannot, in a FILE.license beside it.
reuse --root "$TEMBRELA_ROOT" lint
SOURCE_DATE_EPOCH="$(source_date_epoch)"
export SOURCE_DATE_EPOCH QT_QPA_PLATFORM=offscreen

configure desktop
build "$(preset_folder desktop)"
run_tests desktop

configure sanitize
build "$(preset_folder sanitize)"
# Every report is fatal: the build makes undefined behaviour abort, and a
# leak at exit fails the test that leaked. Nothing is suppressed but, in the
# Wayland test, the leaks of Qt 6.4's own Wayland client.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_tests sanitize

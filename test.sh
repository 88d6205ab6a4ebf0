#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless: first the
# ordinary build, then the whole suite and the fuzzers built by clang with
# AddressSanitizer and UndefinedBehaviorSanitizer.
source "$(dirname "$0")/scripts/prepare.sh"

install_missing_packages "${TEMBRELA_TEST_PACKAGES[@]}"
create_test_account
# Every file says its copyright and licence, or REUSE.toml says them.
"$TEMBRELA_ROOT/tests/reuselint.sh" "$TEMBRELA_ROOT"
export QT_QPA_PLATFORM=offscreen

configure_and_build "$TEMBRELA_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$TEMBRELA_BUILD" --output-on-failure --parallel 2 --no-tests=error

configure_and_build "$TEMBRELA_SANITIZE_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTEMBRELA_SANITIZE=ON -DTEMBRELA_FUZZ=ON
# Every report is fatal: the build makes undefined behaviour abort, and a
# leak at exit fails the test that leaked. Nothing is suppressed but, in the
# Wayland test, the leaks of Qt 6.4's own Wayland client.
export ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$TEMBRELA_SANITIZE_BUILD" --output-on-failure --parallel 2 --no-tests=error

# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# Sourced by every script: where the tree and the cache are, and how a
# build folder is configured, built and tested. It only defines: it sets no
# shell option and runs nothing, so sourcing it changes nothing.

TEMBRELA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TEMBRELA_CACHE="${XDG_CACHE_HOME:-$HOME/.cache}/tembrela"

# source_date_epoch: the time every artefact records (its files', its
# archive entries', its installer's dates): SOURCE_DATE_EPOCH when set,
# else the last commit's, so that one commit builds to the same bytes
# anywhere and at any time; a tree without git keeps the clock.
source_date_epoch() {
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        echo "$SOURCE_DATE_EPOCH"
    else
        git -C "$TEMBRELA_ROOT" log -1 --format=%ct 2>/dev/null || date +%s
    fi
}

# preset_folder PRESET: the build folder CMakePresets.json gives PRESET.
preset_folder() {
    case "$1" in
        desktop) echo "$TEMBRELA_ROOT/build" ;;
        *) echo "$TEMBRELA_ROOT/build-$1" ;;
    esac
}

# configure PRESET [FOLDER] [cmake options...]: configures the build of
# CMakePresets.json's PRESET, in FOLDER instead of the preset's own when
# given. It runs every time: CMake redoes only what changed, and a changed
# option or preset takes effect.
configure() {
    local preset="$1" elsewhere=()
    shift
    if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then
        elsewhere=(-B "$1")
        shift
    fi
    cmake -S "$TEMBRELA_ROOT" --preset "$preset" "${elsewhere[@]}" "$@" >/dev/null
}

# build FOLDER [targets...]: builds FOLDER, all of it unless targets are
# named, one job a core.
build() {
    local folder="$1" targets=()
    shift
    [ $# -eq 0 ] || targets=(--target "$@")
    cmake --build "$folder" --parallel "$(nproc)" "${targets[@]}"
}

# run_tests PRESET [ctest options...]: runs the tests of CMakePresets.json's
# test PRESET, one a core unless the preset says otherwise.
run_tests() {
    (cd "$TEMBRELA_ROOT" && CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$(nproc)}" \
        ctest --preset "$@")
}

# project_version FOLDER: the version project() gives, as the configured
# FOLDER holds it; every artefact's name and contents take it from there.
project_version() {
    sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds in Release and runs the benchmarks: start-up and memory beside a
# bare Qt window, the cost of each user event beside the same visible work
# done by plain widgets, growth with the catalogue, and the browser's page:
# its size and its first frame beside a plain page. Prints the figures
# as a Markdown table, writes it to build/bench.md and checks each target;
# exits 1 if a target is missed.
#
#   ./bench.sh             Linux: start-up, events and growth
#   ./bench.sh --windows   the Windows build's start-up, under Wine; needs
#                          the static Qt that ./windows.sh builds once, and
#                          writes build/bench-windows.md
#
#   TEMBRELA_BENCH_PAIRS      start-up pairs to run (default 41, at least 11)
#   TEMBRELA_BENCH_PLATFORM   xcb (default: a private Xvfb) or offscreen;
#                             Linux only
#
# The start-up runs on xcb by default, against one Xvfb server and one
# D-Bus session bus kept for all runs, as on a desktop: the X connection,
# the window's mapping and its icon are part of what a learner waits for.
# The server never resets: a desktop's does not when one program quits,
# and a reset refuses the next run's first connection.
# Offscreen leaves out the display server and shows the process's own work.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
source "$TEMBRELA_ROOT/scripts/packages.sh"
source "$TEMBRELA_ROOT/scripts/windows.sh"
source "$TEMBRELA_ROOT/scripts/web.sh"

case "${1:-}" in
    "") windows= ;;
    --windows) windows=1 ;;
    *) echo "usage: $0 [--windows]" >&2; exit 2 ;;
esac

install_missing_packages "${TEMBRELA_BENCH_PACKAGES[@]}" \
    ${windows:+"${TEMBRELA_BENCH_WINDOWS_PACKAGES[@]}"} \
    ${windows:-"${TEMBRELA_WEB_PACKAGES[@]}"}
release="$TEMBRELA_ROOT/build-release"
configure desktop "$release" -DCMAKE_BUILD_TYPE=Release
build "$release"
# Where the figures are written.
figures="$(preset_folder desktop)"

pairs="${TEMBRELA_BENCH_PAIRS:-41}"
if [ "$pairs" -lt 11 ]; then
    echo "TEMBRELA_BENCH_PAIRS must be at least 11" >&2
    exit 2
fi
platform="${TEMBRELA_BENCH_PLATFORM:-xcb}"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Qt wants a private runtime folder; without one it warns on every start.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
bench="$release/bench"
load() { cut -d' ' -f1-3 /proc/loadavg; }

# A figure that was not measured stops the script, saying which.
figure() {
    awk -F'\t' -v name="$1" '$1 == name { print; found = 1 } END { exit !found }' "$work/all.tsv" \
        || { echo "bench.sh: no figure $1 was measured" >&2; return 1; }
}
median() { figure "$1" | cut -f2; }

table() {
    echo "| figure | median | min | max | runs |"
    echo "|---|---:|---:|---:|---:|"
    local name
    for name in "$@"; do
        figure "$name" | awk -F'\t' '{ printf "| `%s` | %s | %s | %s | %s |\n", $1, $2, $3, $4, $5 }'
    done
}

# Reads "name limit description" lines: the median of each figure must not
# exceed its limit. Sets missed when one does.
missed=0
check() {
    local name limit description value verdict
    while read -r name limit description; do
        value="$(median "$name")"
        if awk -v v="$value" -v l="$limit" 'BEGIN { exit !(v <= l) }'; then
            verdict=pass
        else
            verdict=FAIL
            missed=1
        fi
        printf '%s  %-20s %10s <= %-6s %s\n' "$verdict" "$name" "$value" "$limit" "$description"
    done
}

cpu="$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"

if [ -n "$windows" ]; then
    qt="$(windows_qt_folder)"
    if [ ! -f "$qt/.complete" ]; then
        echo "bench.sh --windows needs the static Qt for Windows; ./windows.sh builds it once" >&2
        exit 2
    fi
    windows_build="$(preset_folder windows)"
    configure_windows "$windows_build" "$qt"
    build "$windows_build" startup_probe bare_window
    # A Wine of its own: windows.sh ends its Wine with wineserver --kill,
    # which would end a run sharing it.
    # shellcheck disable=SC2046 # one word a variable
    export $(wine_environment "$TEMBRELA_CACHE/wine-bench")
    make_wine_prefix
    # One Wine server and its services kept for all runs, as a Windows
    # session keeps its own; each program still starts as a whole process.
    # A window manager, as Windows always has one: Wine waits for it to
    # withdraw a closing window, two seconds when there is none.
    echo "Windows start-up: $pairs pairs under $(wine --version 2>/dev/null) (load: $(load))" >&2
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
        openbox & wm=$!
        for _ in $(seq 100); do
            xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" && break
            sleep 0.1
        done
        wineserver --persistent && "$@"; status=$?
        wineserver --kill
        kill "$wm"
        exit "$status"' windows \
        "$bench/startup_runner" "$pairs" "$windows_build/startup_probe.exe" \
        "$windows_build/bare_window.exe" wine \
        >"$work/all.tsv" 2>"$work/startup.log" || { cat "$work/startup.log" >&2; exit 1; }
    {
        table startup_ms bare_startup_ms startup_ratio rss_kb bare_rss_kb rss_ratio \
              startup_cpu_ms bare_startup_cpu_ms startup_cpu_ratio
        echo
        echo "Machine: $(nproc) cores, $cpu; static Qt $(basename "$qt" | cut -d- -f2 | cut -d+ -f1)" \
             "for Windows (MinGW-w64) under $(wine --version 2>/dev/null) on Xvfb with" \
             "Openbox ($pairs pairs);" \
             "load $(load) after the run. Memory is the peak resident set of Wine's process."
    } >"$work/bench.md"
    mkdir -p "$figures"
    cp "$work/bench.md" "$figures/bench-windows.md"
    cat "$work/bench.md"
    echo
    check <<'TARGETS'
startup_ratio 1.10 start-up under Wine within 1.10 x the bare window's
TARGETS
    echo "Written to $figures/bench-windows.md"
    exit "$missed"
fi

echo "Start-up: $pairs pairs on $platform (load: $(load))" >&2
startup=(env QT_QPA_PLATFORM="$platform" "$bench/startup_runner" "$pairs"
         "$bench/startup_probe" "$bench/bare_window")
case "$platform" in
    xcb) xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" dbus-run-session -- "${startup[@]}" \
             >"$work/startup.tsv" 2>"$work/startup.log" ;;
    offscreen) dbus-run-session -- "${startup[@]}" >"$work/startup.tsv" 2>"$work/startup.log" ;;
    *) echo "TEMBRELA_BENCH_PLATFORM must be xcb or offscreen" >&2; exit 2 ;;
esac || { cat "$work/startup.log" >&2; exit 1; }

echo "Events: offscreen (load: $(load))" >&2
QT_QPA_PLATFORM=offscreen "$bench/event_bench" >"$work/events.tsv" 2>"$work/events.log" \
    || { cat "$work/events.log" >&2; exit 1; }

page_build="$(preset_folder web)"
{ build_page web "$page_build" && install_page_test_driver "$page_build"; } >/dev/null
echo "Page: $pairs pairs in Chromium (load: $(load))" >&2
node "$page_build/node/pagefirstframe.mjs" "$page_build/tembrela.html" "$pairs" \
    >"$work/page.tsv" 2>"$work/page.log" || { cat "$work/page.log" >&2; exit 1; }

cat "$work/startup.tsv" "$work/events.tsv" "$work/page.tsv" >"$work/all.tsv"

qt_version="$(qtpaths6 --qt-version 2>/dev/null || echo unknown)"
{
    table startup_ms bare_startup_ms startup_ratio rss_kb bare_rss_kb rss_ratio \
          choice_p99_ms choice_floor_p99_ms choice_ratio \
          pick_p99_ms pick_floor_p99_ms pick_ratio \
          restart_p99_ms restart_floor_p99_ms restart_ratio \
          game_ms game_floor_ms game_ratio \
          restart_cpu_ms_32767 pick_cpu_ms_32767
    echo
    echo "Growth (each run one restart or one pick, ms, wall and the main thread's CPU"
    echo "time), and CPU time beside the wall time above (the main thread's for events,"
    echo "the process's for start-up):"
    echo
    table restart_ms_22 pick_ms_22 restart_ms_1000 pick_ms_1000 restart_ms_32767 pick_ms_32767 \
          restart_cpu_ms_22 pick_cpu_ms_22 restart_cpu_ms_1000 pick_cpu_ms_1000 \
          restart_cpu_ms_32767 pick_cpu_ms_32767 \
          choice_cpu_p99_ms choice_floor_cpu_p99_ms pick_cpu_p99_ms pick_floor_cpu_p99_ms \
          restart_cpu_p99_ms restart_floor_cpu_p99_ms \
          startup_cpu_ms bare_startup_cpu_ms startup_cpu_ratio
    echo
    echo "The page in a browser: its size in bytes, raw and compressed, and the time"
    echo "from opening it from disk to its first frame with the form, beside a plain"
    echo "page with the same controls and no program (ms):"
    echo
    table page_bytes page_gzip_bytes page_first_frame_ms plain_first_frame_ms \
          page_first_frame_ratio
    echo
    echo "Machine: $(nproc) cores, $cpu; Qt $qt_version; $(chromium --version 2>/dev/null);" \
         "start-up on $platform" \
         "($pairs pairs), events offscreen; load $(load) after the run."
} >"$work/bench.md"

mkdir -p "$figures"
cp "$work/bench.md" "$figures/bench.md"
cat "$work/bench.md"
echo

check <<'TARGETS'
startup_ratio 1.10 start-up within 1.10 x the bare window's
rss_ratio 1.10 peak memory within 1.10 x the bare window's
choice_ratio 1.5 a voice choice within 1.5 x its floor at the 99th percentile
pick_ratio 1.5 a pick within 1.5 x its floor at the 99th percentile
restart_ratio 1.5 a restart within 1.5 x its floor at the 99th percentile
game_ratio 1.5 a game of 22 picks within 1.5 x its floor
restart_cpu_ms_32767 50 a restart of 32,767 rows within 50 ms of CPU time
pick_cpu_ms_32767 16 a pick among 32,767 rows within one 60 Hz frame of CPU time
page_bytes 524288 the page within 512 KiB
page_first_frame_ratio 1.5 the page's first frame within 1.5 x a plain page's
TARGETS
echo "Written to $figures/bench.md"
exit "$missed"

#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts the program under Wine on a private X server and waits for its
# window: the tests run on the offscreen platform, so this is where the
# program meets Windows' own platform plugin. The server must not reset
# when a look for the window leaves it: it refuses Wine's first connection
# while it does. Usage: check-window.sh EXE
set -euo pipefail

exe="$1"
title="https://www.example.org Тесирона"
export exe title
xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -noreset" bash -c '
    wine "$exe" &
    for _ in $(seq 120); do
        if xwininfo -root -tree | grep -qF "\"$title\""; then
            wineserver --kill
            exit 0
        fi
        sleep 0.5
    done
    wineserver --kill
    echo "check-window.sh: no window \"$title\" within a minute" >&2
    exit 1'

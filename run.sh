#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds, and starts the quiz.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
source "$TEMBRELA_ROOT/scripts/packages.sh"

install_missing_packages "${TEMBRELA_PACKAGES[@]}"
configure desktop
build "$(preset_folder desktop)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Tembrela needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
    exit 2
fi
exec "$(preset_folder desktop)/app/tembrela"

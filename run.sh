#!/usr/bin/env bash
# Installs what is missing, builds, and starts the quiz.
source "$(dirname "$0")/scripts/prepare.sh"

install_missing_packages "${TEMBRELA_PACKAGES[@]}"
configure_and_build "$TEMBRELA_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo

program="$TEMBRELA_BUILD/app/tembrela"
if [ ! -x "$program" ]; then
    echo "Built the quiz core; the window is not part of this build yet."
    exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Tembrela needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
    exit 2
fi
exec "$program"

#!/usr/bin/env bash
# Installs what is missing, builds, and starts the quiz.
source "$(dirname "$0")/scripts/prepare.sh"

install_missing_packages "${TEMBRELA_PACKAGES[@]}"
configure_and_build "$TEMBRELA_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Tembrela needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
    exit 2
fi
exec "$TEMBRELA_BUILD/app/tembrela"

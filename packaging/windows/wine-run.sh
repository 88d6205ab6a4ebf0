#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a Windows program under Wine with this environment's QT_* variables.
# Wine 8 drops every variable whose name starts with QT_ on the way into a
# Windows process, so they are set again by cmd inside it. CTest uses this
# as the emulator of the cross build. Usage: wine-run.sh PROGRAM [ARG...]
set -euo pipefail

program="$1"
shift
command=(cmd /c)
while IFS= read -r -d '' entry; do
    # cmd keeps a blank before "&&" in the value; a value with a blank is
    # quoted by Wine, which ends it before the blank.
    if [[ "$entry" == *" "* ]]; then
        command+=(set "$entry" "&&")
    else
        command+=(set "$entry&&")
    fi
done < <(env -0 | grep -z '^QT_' || true)
# Absolute Unix paths are on Wine's drive Z:.
exec wine "${command[@]}" "Z:${program//\//\\}" "$@"

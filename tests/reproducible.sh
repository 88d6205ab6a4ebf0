#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the release twice, from two clones of this commit in folders of
# different depth, one after the other and in time zones a day apart, and
# compares every artefact byte for byte; where two differ, diffoscope shows
# how. The static Qt for Windows comes from the cache both times.
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
source "$TEMBRELA_ROOT/scripts/packages.sh"

install_missing_packages git diffoscope-minimal

commit="$(git -C "$TEMBRELA_ROOT" rev-parse HEAD)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
clones=("$work/first" "$work/second/clone")
zones=(UTC Pacific/Kiritimati)

for i in 0 1; do
    clone="${clones[$i]}"
    git clone -q --no-checkout "$TEMBRELA_ROOT" "$clone"
    git -C "$clone" checkout -q --detach "$commit"
    started=$SECONDS
    # Each clone takes the commit's time for itself.
    if ! (cd "$clone" && env -u SOURCE_DATE_EPOCH TZ="${zones[$i]}" ./release.sh) \
        >"$work/release-$i.log" 2>&1; then
        echo "reproducible.sh: release.sh failed in ${clone#"$work/"}:" >&2
        tail -n 40 "$work/release-$i.log" >&2
        exit 1
    fi
    echo "reproducible.sh: build $((i + 1)), in ${clone#"$work/"}, took $((SECONDS - started)) s"
done

list() { (cd "$1/dist" && find . -type f -printf '%P\n' | LC_ALL=C sort); }
list "${clones[0]}" >"$work/first.list"
list "${clones[1]}" >"$work/second.list"
failed=0
if ! diff "$work/first.list" "$work/second.list"; then
    echo "reproducible.sh: the two builds wrote different files" >&2
    failed=1
fi
# Two empty folders would compare equal.
for kind in '*.deb' '*-windows-x64.zip' '*.msi' '*.html' SHA256SUMS; do
    compgen -G "${clones[0]}/dist/$kind" >/dev/null \
        || { echo "reproducible.sh: no $kind in dist/" >&2; failed=1; }
done

while IFS= read -r file; do
    first="${clones[0]}/dist/$file"
    second="${clones[1]}/dist/$file"
    [ -f "$second" ] || continue
    if cmp -s "$first" "$second"; then
        printf '  identical  %9d bytes  %s  %s\n' "$(stat -c %s "$first")" \
            "$(sha256sum <"$first" | cut -c1-64)" "$file"
    else
        printf '  DIFFERENT  %s: %s bytes, then %s bytes\n' "$file" \
            "$(stat -c %s "$first")" "$(stat -c %s "$second")"
        diffoscope --no-progress --text - "$first" "$second" | head -n 60 || true
        failed=1
    fi
done <"$work/first.list"

(cd "${clones[0]}/dist" && sha256sum --quiet -c SHA256SUMS) || failed=1
exit "$failed"

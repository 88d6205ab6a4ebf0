#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Тесирона
# SPDX-License-Identifier: GPL-3.0-or-later

# Plays the newcomer on this commit: in fresh minimal Debian 12 and 13
# systems, holding nothing but what debootstrap's minbase and git bring,
# clones the commit and runs the README's two commands as root, each from
# its start: ./run.sh, which with no display must build and then stop with
# its clear line and code 2, and ./test.sh, which must pass. The machines
# this project is built on carry packages a fresh one lacks, so only this
# finds a missing install step. Needs root, for debootstrap, chroot and
# mounts.
set -euo pipefail
source "$(dirname "$0")/common.sh"
source "$TEMBRELA_ROOT/scripts/packages.sh"

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-machine.sh builds and enters Debian systems, which needs root." >&2
    exit 1
fi
install_missing_packages debootstrap

TEMBRELA_FRESH="$TEMBRELA_CACHE/fresh"
TEMBRELA_MIRROR="${TEMBRELA_MIRROR:-http://deb.debian.org/debian}"
commit="$(git -C "$TEMBRELA_ROOT" rev-parse HEAD)"
no_display="Tembrela needs a graphical display: neither DISPLAY nor WAYLAND_DISPLAY is set."

# Where a system is being made or used, and the job fetching ahead for the
# next; the trap takes down whatever is set.
stage=""
root=""
fetching=""

# fresh_system SUITE: sets tarball to a minimal SUITE with git, made again
# when a week old so that it stays what a newcomer would install today; the
# packages kept from the week before go with it.
fresh_system() {
    local suite="$1"
    tarball="$TEMBRELA_FRESH/debian-$suite.tar"
    mkdir -p "$TEMBRELA_FRESH"
    [ -z "$(find "$tarball" -mtime -7 2>/dev/null)" ] || return 0

    echo "Making a minimal Debian $suite into $tarball"
    rm -rf "$TEMBRELA_FRESH/apt-$suite"
    stage="$(mktemp -d /var/tmp/tembrela-debootstrap.XXXXXX)"
    if ! debootstrap --variant=minbase --include=git "$suite" "$stage" "$TEMBRELA_MIRROR" \
        >"$TEMBRELA_FRESH/debootstrap-$suite.log" 2>&1; then
        tail -n 30 "$TEMBRELA_FRESH/debootstrap-$suite.log"
        return 1
    fi
    tar --numeric-owner -C "$stage" -cf "$tarball.part" .
    mv "$tarball.part" "$tarball"
    take_down "$stage"
    stage=""
}

# still_mounted FOLDER: whether anything is mounted at or below FOLDER.
still_mounted() {
    awk -v folder="$1" '$5 == folder || index($5, folder "/") == 1 { found = 1 } END { exit !found }' \
        /proc/self/mountinfo
}

# take_down FOLDER: stops what runs there (what the tests left running, a
# bus or a speech server, keeps the mounts busy), detaches its mounts and
# removes it; a folder with a mount left is kept, never deleted through.
take_down() {
    local folder="$1" process mount
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/root" 2>/dev/null)" != "$folder" ] || kill -KILL "${process#/proc/}" 2>/dev/null || true
    done
    for mount in proc sys dev var/cache/apt/archives; do
        ! still_mounted "$folder/$mount" || umount -R --lazy "$folder/$mount"
    done
    if still_mounted "$folder"; then
        echo "$folder still has a mount; left in place." >&2
        return 1
    fi
    rm -rf --one-file-system "$folder"
}

leave() {
    # What the job runs is killed; its own trap then takes its system down.
    [ -z "$fetching" ] || { pkill -TERM -P "$fetching"; wait "$fetching"; } || true
    [ -z "$stage" ] || take_down "$stage" || true
    [ -z "$root" ] || take_down "$root" || true
    [ -z "${tarball:-}" ] || rm -f "$tarball.part"
}
trap leave EXIT

# enter_system SUITE: unpacks a new system from the tarball into $root with
# /proc, /sys and /dev (with its /dev/shm and /dev/pts) as a booted machine
# has them, and the commit cloned into /root/tembrela. The packages apt
# fetches are kept between runs, in the cache.
enter_system() {
    local suite="$1"
    fresh_system "$suite"
    root="$(mktemp -d /var/tmp/tembrela-fresh-"$suite".XXXXXX)"
    tar --numeric-owner -C "$root" -xf "$tarball"
    # The root folder is as mktemp made it, closed to the Wayland test's
    # account.
    chmod 755 "$root"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # The authorities this machine adds to Debian's, which its network may
    # sign with; the system's ca-certificates takes them in when installed,
    # and npm then reaches its registry as from this machine.
    if [ -d /usr/local/share/ca-certificates ]; then
        cp -r /usr/local/share/ca-certificates/. "$root/usr/local/share/ca-certificates/"
    fi

    mount -t proc proc "$root/proc"
    mount --rbind --make-rslave /sys "$root/sys"
    mount --rbind --make-rslave /dev "$root/dev"
    mountpoint -q "$root/dev/shm" || mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
    mountpoint -q "$root/dev/pts" || mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
    mkdir -p "$TEMBRELA_FRESH/apt-$suite"
    mount --bind "$TEMBRELA_FRESH/apt-$suite" "$root/var/cache/apt/archives"

    git clone -q --no-checkout "$TEMBRELA_ROOT" "$root/root/tembrela"
    git -C "$root/root/tembrela" checkout -q --detach "$commit"
}

# in_system COMMAND: runs COMMAND in the clone as root with a newcomer's
# bare environment: no display, no locale, nothing of this session's.
in_system() {
    chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        bash -c "cd /root/tembrela && $1"
}

# show_failure LOG: the failing tests' own output, which CTest prints from
# its last run on, or the build's from its failed step on; the log's end
# when the failure came before either.
show_failure() {
    local log="$1" from
    # Neither found is no failure of this script's own.
    from="$(grep -n -E '^(Test project |FAILED: )' "$log" | tail -n 1 | cut -d: -f1 || true)"
    if [ -n "$from" ]; then
        tail -n +"$from" "$log"
    else
        tail -n 60 "$log"
    fi
}

# must_pass test: runs ./test.sh in the system, which must pass; says how
# long it took and its tests' tally, or what failed.
must_pass() {
    local script="./$1.sh" log="$TEMBRELA_FRESH/$suite-$1.log" started=$SECONDS
    if in_system "$script" >"$log" 2>&1; then
        echo "$name: $script passed in $((SECONDS - started)) s:"
        grep -E '^[0-9]+% tests passed' "$log" | sed 's/^/    /'
    else
        echo "$name: $script failed after $((SECONDS - started)) s; its output:"
        show_failure "$log"
        failed=1
    fi
}

# fetch_ahead SUITE: makes the SUITE system, if the cache lacks it, and
# fetches into its package cache what the scripts will install there, from
# a copy of it thrown away after. Run while the system before it is tested,
# it overlaps an empty cache's downloads with that work, and SUITE's own run
# then starts from the cache as a cached run does, still installing every
# package itself.
fetch_ahead() {
    local suite="$1"
    enter_system "$suite"
    in_system "export DEBIAN_FRONTEND=noninteractive && apt-get update -qq &&
        apt-get install -y -qq --download-only --no-install-recommends \
        ${TEMBRELA_TEST_PACKAGES[*]}"
    take_down "$root"
    root=""
}

# usage: fresh-machine.sh [bookworm|trixie]...: the systems named, both
# unless any is.
suites=("$@")
[ "${#suites[@]}" -gt 0 ] || suites=(bookworm trixie)
for suite in "${suites[@]}"; do
    case "$suite" in
        bookworm | trixie) ;;
        *) echo "usage: $0 [bookworm|trixie]..." >&2; exit 2 ;;
    esac
done

failed=0
for index in "${!suites[@]}"; do
    suite="${suites[$index]}"
    case "$suite" in bookworm) name="Debian 12" ;; trixie) name="Debian 13" ;; esac
    started=$SECONDS
    if [ -n "$fetching" ] && ! wait "$fetching"; then
        echo "$name: fetching ahead failed (its log: $TEMBRELA_FRESH/$suite-fetch.log); the system fetches for itself"
    fi
    fetching=""
    next="${suites[$((index + 1))]:-}"
    if [ -n "$next" ]; then
        mkdir -p "$TEMBRELA_FRESH"
        (
            # Its trap takes down its own system, not the one under test.
            stage="" root="" tarball="" fetching=""
            trap leave EXIT
            fetch_ahead "$next"
        ) >"$TEMBRELA_FRESH/$next-fetch.log" 2>&1 &
        fetching=$!
    fi
    enter_system "$suite"
    echo "$name: fresh system ready in $((SECONDS - started)) s"

    started=$SECONDS
    log="$TEMBRELA_FRESH/$suite-run.log"
    code=0
    in_system ./run.sh >"$log" 2>&1 || code=$?
    if [ "$code" -eq 2 ] && [ "$(tail -n 1 "$log")" = "$no_display" ]; then
        echo "$name: ./run.sh installed, built and stopped with code 2 and its line in $((SECONDS - started)) s"
    else
        echo "$name: ./run.sh ended with code $code, not with code 2 and \"$no_display\"; its output:"
        show_failure "$log"
        failed=1
    fi

    must_pass test
    take_down "$root"
    root=""
done
exit "$failed"

#!/usr/bin/env bash
# Plays the newcomer on this commit: in fresh minimal Debian 12 and 13
# systems, holding nothing but what debootstrap's minbase and git bring,
# clones the commit and runs the README's two commands as root, each from
# its start: ./run.sh, which with no display must build and then stop with
# its clear line and code 2, and ./test.sh, which must pass. The machines
# this project is built on carry packages a fresh one lacks, so only this
# finds a missing install step. Needs root, for debootstrap, chroot and
# mounts.
source "$(dirname "$0")/prepare.sh"

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-machine.sh builds and enters Debian systems, which needs root." >&2
    exit 1
fi
install_missing_packages debootstrap

TEMBRELA_FRESH="$TEMBRELA_CACHE/fresh"
TEMBRELA_MIRROR="${TEMBRELA_MIRROR:-http://deb.debian.org/debian}"
commit="$(git -C "$TEMBRELA_ROOT" rev-parse HEAD)"

# fresh_system SUITE: a tarball of a minimal SUITE with git, made again when
# a week old so that it stays what a newcomer would install today.
fresh_system() {
    local suite="$1"
    local tarball="$TEMBRELA_FRESH/debian-$suite.tar"
    mkdir -p "$TEMBRELA_FRESH"
    if [ -z "$(find "$tarball" -mtime -7 2>/dev/null)" ]; then
        echo "Making a minimal Debian $suite into $tarball" >&2
        local stage
        stage="$(mktemp -d /var/tmp/tembrela-debootstrap.XXXXXX)"
        debootstrap --variant=minbase --include=git "$suite" "$stage" "$TEMBRELA_MIRROR" \
            >"$TEMBRELA_FRESH/debootstrap-$suite.log" 2>&1 \
            || { tail -n 30 "$TEMBRELA_FRESH/debootstrap-$suite.log" >&2; rm -rf "$stage"; return 1; }
        # The system's root is what mktemp made it, closed to all but root.
        chmod 755 "$stage"
        tar --numeric-owner -C "$stage" -cf "$tarball.part" .
        rm -rf "$stage"
        mv "$tarball.part" "$tarball"
    fi
    echo "$tarball"
}

root=""
leave_system() {
    [ -n "$root" ] || return 0
    # What the tests left running there (a bus, a speech server) would keep
    # the mounts busy.
    local process mount
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/root" 2>/dev/null)" != "$root" ] || kill -KILL "${process#/proc/}" 2>/dev/null || true
    done
    for mount in proc sys dev var/cache/apt/archives; do
        umount -R --lazy "$root/$mount" 2>/dev/null || true
    done
    if findmnt -R "$root" >/dev/null 2>&1; then
        echo "$root is still mounted; left in place." >&2
    else
        rm -rf "$root"
    fi
    root=""
}
trap leave_system EXIT

# enter_system SUITE: unpacks a new system from the tarball into $root with
# /proc, /sys and /dev (with its /dev/shm and /dev/pts) as a booted machine
# has them, and the commit cloned into /root/tembrela. The packages apt
# fetches are kept between runs, in the cache.
enter_system() {
    local suite="$1" tarball
    tarball="$(fresh_system "$suite")"
    root="$(mktemp -d /var/tmp/tembrela-fresh-"$suite".XXXXXX)"
    tar --numeric-owner -C "$root" -xf "$tarball"
    cp /etc/resolv.conf "$root/etc/resolv.conf"

    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --make-rslave "$root/sys"
    mount --rbind /dev "$root/dev"
    mount --make-rslave "$root/dev"
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
# its last run on; the log's end when the failure came before any test.
show_failure() {
    local log="$1" from
    from="$(grep -n '^Test project ' "$log" | tail -n 1 | cut -d: -f1)"
    if [ -n "$from" ]; then
        tail -n +"$from" "$log"
    else
        tail -n 60 "$log"
    fi
}

failed=0
for suite in bookworm trixie; do
    case "$suite" in bookworm) name="Debian 12" ;; trixie) name="Debian 13" ;; esac
    started=$SECONDS
    enter_system "$suite"
    log="$TEMBRELA_FRESH/$suite.log"
    echo "$name: fresh system ready in $((SECONDS - started)) s"

    started=$SECONDS
    set +e
    in_system ./run.sh >"$log" 2>&1
    code=$?
    set -e
    last="$(tail -n 1 "$log")"
    if [ "$code" -eq 2 ] && [[ "$last" == *"needs a graphical display"* ]]; then
        echo "$name: ./run.sh installed, built and stopped with code 2: $last ($((SECONDS - started)) s)"
    else
        echo "$name: ./run.sh ended with code $code, not 2 with its line on the display; its output:"
        show_failure "$log"
        failed=1
    fi

    started=$SECONDS
    if in_system ./test.sh >"$log" 2>&1; then
        echo "$name: ./test.sh passed in $((SECONDS - started)) s:"
        grep -E '^[0-9]+% tests passed' "$log" | sed 's/^/    /'
    else
        echo "$name: ./test.sh failed after $((SECONDS - started)) s; its output:"
        show_failure "$log"
        failed=1
    fi
    leave_system
done
exit "$failed"

# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Sourced by the scripts that try the project on a fresh Debian 12: makes $root a freshly
# bootstrapped minimal bookworm (from build/bookworm-minbase.tar.gz when cached, else from
# the mirror, caching it), with /proc, /sys, /dev and a /dev/shm of its own mounted, and
# unmounts and removes it all on exit. Expects $repo (the repository) and defines step() and
# in_root(). Run as root; needs debootstrap (installed when missing) and deb.debian.org.
Mirror=http://deb.debian.org/debian
Cache=$repo/build/bookworm-minbase.tar.gz

if ! command -v debootstrap >/dev/null 2>&1; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap
fi

start=$(date +%s)
work=$(mktemp -d "${TMPDIR:-/tmp}/hangardeck-fresh.XXXXXX")
root=$work/root
mkdir "$root"

unmountAll() {
    for m in dev/shm dev/pts dev sys proc; do
        if mountpoint -q "$root/$m" 2>/dev/null; then
            umount "$root/$m" 2>/dev/null || umount -l "$root/$m"
        fi
    done
}
cleanup() {
    unmountAll
    # Never delete through a mount that is still there: /dev is the host's own.
    if grep -q " $root/" /proc/mounts; then
        echo "warning: mounts left below $root; it is not removed" >&2
    else
        rm -rf --one-file-system "$work"
    fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

step() { echo "== $* ($(($(date +%s) - start)) s)"; }

if [ -f "$Cache" ]; then
    step "unpacking the cached base system $Cache"
    tar -xzpf "$Cache" --numeric-owner -C "$root"
else
    step "debootstrap --variant=minbase bookworm from $Mirror"
    debootstrap --variant=minbase bookworm "$root" "$Mirror" >"$work/debootstrap.log" 2>&1 || {
        tail -n 20 "$work/debootstrap.log"
        exit 1
    }
    # The apt cache of the bootstrap is not part of a fresh system's state worth keeping.
    rm -rf "$root"/var/cache/apt/archives/*.deb
    mkdir -p "$(dirname "$Cache")"
    tar -czpf "$Cache.tmp" --numeric-owner -C "$root" . && mv "$Cache.tmp" "$Cache"
fi

mount -t proc proc "$root/proc"
mount -t sysfs sysfs "$root/sys"
mount --bind /dev "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
# Its own shared memory, as a booted system has: X servers and clients use it.
mount -t tmpfs shm "$root/dev/shm"
cp /etc/resolv.conf "$root/etc/resolv.conf"

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LC_ALL=C.UTF-8 "$@"; }

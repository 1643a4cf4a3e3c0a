#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Runs .ci/run on a clean clone of this repository's HEAD inside a freshly bootstrapped
# Debian 12, the way a new machine would: nothing installed but git (which cloned it).
# Prints each CI step's time and the total.
#
# usage: scripts/ci-fresh.sh   (as root; needs deb.debian.org)
set -eu
cd "$(dirname "$0")/.."
repo=$(pwd)
if [ "$(id -u)" -ne 0 ]; then
    echo "$0: must run as root (debootstrap, chroot, mounts)" >&2
    exit 2
fi
. "$repo/scripts/fresh-bookworm.sh"

git clone -q "$repo" "$root/ci"
step "installing git, which a machine that cloned the repository has"
in_root sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends git >/dev/null'
step "running .ci/run on $(git rev-parse --short HEAD)"
ciStart=$(date +%s)
status=0
in_root sh -c 'cd /ci && .ci/run' || status=$?
step ".ci/run exited with $status after $(($(date +%s) - ciStart)) s"
exit $status

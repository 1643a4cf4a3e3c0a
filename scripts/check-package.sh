#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Checks a built Debian package without installing it: its dependencies are Debian's Qt 6
# packages (with the X11 platform plugin the window needs), it holds the installed tree under
# /usr, and the programs it carries run. scripts/check-deb-fresh.sh installs it on a freshly
# bootstrapped system instead.
#
# usage: scripts/check-package.sh PACKAGE.deb
set -eu
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 PACKAGE.deb" >&2
    exit 2
fi
deb=$1
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dependency in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-dejavu-core; do
    echo "$depends" | grep -Eq "(^|, )$dependency( |,|$)" || fail "no dependency on $dependency"
done

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|')
for path in /usr/bin/hangardeck /usr/bin/hangardeck-cli /usr/share/hangardeck/hangardeck-help.html \
    /usr/share/applications/org.example.hangardeck.desktop \
    /usr/share/metainfo/org.example.hangardeck.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/org.example.hangardeck.svg \
    /usr/share/man/man1/hangardeck-cli.1 /usr/share/doc/hangardeck/copyright; do
    echo "$contents" | grep -qx "$path" || fail "$path missing from the package"
done
echo "$contents" | grep -v '^/$' | grep -v '^/usr' && fail "files outside /usr"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp"
"$tmp/usr/bin/hangardeck-cli" --help >"$tmp/help" 2>&1 || fail "hangardeck-cli --help exited with $?"
grep -q '^Usage: ' "$tmp/help" || fail "hangardeck-cli --help printed no usage"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed for $deb"
    exit 1
fi
echo "PASS: $deb"

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

recommends=$(dpkg-deb -f "$deb" Recommends)
echo "Recommends: $recommends"
echo "$recommends" | grep -Eq "(^|, )xdg-utils( |,|$)" || fail "xdg-utils not recommended"

# The name is all after the mode, owner, size, date and time: the samples' names hold blanks.
contents=$(dpkg-deb -c "$deb" | sed -E 's|^([^ ]+ +){5}\./|/|')
for path in /usr/bin/hangardeck /usr/bin/hangardeck-cli /usr/share/hangardeck/hangardeck-help.html \
    /usr/share/applications/org.example.hangardeck.desktop \
    /usr/share/metainfo/org.example.hangardeck.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/org.example.hangardeck.svg \
    /usr/share/man/man1/hangardeck.1.gz /usr/share/man/man1/hangardeck-cli.1.gz \
    /usr/share/hangardeck/samples/Aircraft/Northwind_KingAir350/aircraft.cfg /usr/share/doc/hangardeck/copyright; do
    echo "$contents" | grep -qx "$path" || fail "$path missing from the package"
done
echo "$contents" | grep -v '^/$' | grep -v '^/usr' && fail "files outside /usr"
echo "$contents" | grep '^/usr/share/man/.*[^z]$' | grep -v '/$' && fail "uncompressed manual pages"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp"
"$tmp/usr/bin/hangardeck-cli" --help >"$tmp/help" 2>&1 || fail "hangardeck-cli --help exited with $?"
grep -q '^Usage: ' "$tmp/help" || fail "hangardeck-cli --help printed no usage"
# The samples the help page names are whole: they list as the source tree's do.
cli=$tmp/usr/bin/hangardeck-cli
"$cli" list --extended "$tmp/usr/share/hangardeck/samples/Aircraft" >"$tmp/packaged" 2>&1 ||
    fail "hangardeck-cli list of the packaged samples exited with $?"
"$cli" list --extended "$(dirname "$0")/../samples/Aircraft" >"$tmp/source" 2>&1
cmp -s "$tmp/packaged" "$tmp/source" || fail "the packaged samples differ: $(diff "$tmp/source" "$tmp/packaged" | head -3)"
for page in hangardeck hangardeck-cli; do
    gzip -t "$tmp/usr/share/man/man1/$page.1.gz" 2>/dev/null || fail "$page.1.gz is no gzip file"
done

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed for $deb"
    exit 1
fi
echo "PASS: $deb"

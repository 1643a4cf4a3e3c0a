#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Runs a Windows program of the build under Wine: ctest's emulator for the Windows tests, and a
# way to try the programs by hand.
#
#   scripts/wine-run.sh build/windows/bin/hangardeck-cli.exe list samples/Aircraft
#
# Wine keeps its own prefix in build/windows/wine (made at the first run, about 20 s), so that
# the tests never touch the user's ~/.wine; WINEPREFIX chooses another. Wine's own messages are
# silenced, and its dialogs that offer to download Mono and Gecko are never shown.
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/build/windows/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# Debian's wine64 loader itself: the "wine" wrapper looks for the 32-bit Wine first.
wine=$(command -v /usr/lib/wine/wine64 || command -v wine64 || command -v wine || true)
if [ -z "$wine" ]; then
    echo "wine-run.sh: Wine is not installed (scripts/windows-toolchain.sh installs it)" >&2
    exit 127
fi
# Wine hands a Unix variable named QT_* to Windows programs only as WINEQT_* (QT_QPA_PLATFORM
# chooses offscreen for the tests).
for var in $(env | sed -n 's/^\(QT_[A-Za-z0-9_]*\)=.*/\1/p'); do
    eval "export WINE$var=\"\$$var\""
done
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    # One process makes the prefix at a time: ctest may start several tests at once.
    (
        flock 9
        [ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot --init >/dev/null 2>&1 || true
    ) 9>"$WINEPREFIX.lock"
fi
# --qtest: a Qt Test program, whose report Qt sends to the debugger's channel when the process has
# no console (as under ctest): it goes to a file, shown once the program ends.
if [ "${1:-}" = --qtest ]; then
    shift
    log=$(mktemp)
    trap 'rm -f "$log"' EXIT
    status=0
    "$wine" "$@" -o "$log,txt" || status=$?
    cat "$log"
    exit "$status"
fi
exec "$wine" "$@"

#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Proves the Debian package on a fresh Debian 12: bootstraps a minimal bookworm into a
# temporary folder, installs the package there with apt (its Depends only, so a dependency
# that only a Recommends brought in would be missed), runs hangardeck-cli on its samples, then
# starts the window the way the desktop entry's Exec line says, as an ordinary user on an
# Xvfb screen, and checks that the main window appears and the settings land in that user's
# ~/.config/hangardeck/ rather than beside /usr/bin; then the same as root.
#
# usage: scripts/check-deb-fresh.sh [PACKAGE.deb]   (default: build/hangardeck_*.deb; as root)
# The bootstrapped base system is kept as build/bookworm-minbase.tar.gz; delete it to start
# from the mirror again. Needs debootstrap (installed when missing) and deb.debian.org.
set -eu
cd "$(dirname "$0")/.."
repo=$(pwd)
MainTitle='^MERIDOXA HANGARDECK [0-9]'
MessageTitle='^MERIDOXA HANGARDECK$'

if [ "$(id -u)" -ne 0 ]; then
    echo "$0: must run as root (debootstrap, chroot, mounts)" >&2
    exit 2
fi
if [ $# -ge 1 ]; then
    deb=$1
else
    deb=$(ls "$repo"/build/hangardeck_*.deb 2>/dev/null | tail -n 1) || true
fi
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
    echo "$0: no package; build one with 'make package'" >&2
    exit 2
fi
. "$repo/scripts/fresh-bookworm.sh"
cp "$deb" "$root/tmp/"
cp "$repo/tests/data/samples-extended.rows" "$root/tmp/"


step "apt-get install ./$(basename "$deb")"
in_root apt-get update -qq
in_root sh -c "cd /tmp && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends ./$(basename "$deb")" \
    >"$work/apt.log" 2>&1 || {
    tail -n 30 "$work/apt.log"
    exit 1
}
echo "packages set up: $(grep -c '^Setting up' "$work/apt.log" || true)"

step "hangardeck-cli --help"
in_root hangardeck-cli --help | head -n 3
# The samples the package carries, which the help page names.
samples=/usr/share/hangardeck/samples/Aircraft
step "hangardeck-cli list $samples"
in_root hangardeck-cli list $samples | head -n 5
in_root hangardeck-cli list --extended --delimiter '|' $samples >"$work/rows"
cmp "$work/rows" "$root/tmp/samples-extended.rows"
echo "list --extended matches tests/data/samples-extended.rows ($(wc -l <"$work/rows") rows)"
test -f "$root/usr/share/hangardeck/hangardeck-help.html"
echo "help page: /usr/share/hangardeck/hangardeck-help.html"
test -f "$root/usr/share/man/man1/hangardeck.1.gz" && test -f "$root/usr/share/man/man1/hangardeck-cli.1.gz"
echo "manual pages: /usr/share/man/man1/hangardeck.1.gz, hangardeck-cli.1.gz"

step "installing xvfb xauth xdotool"
in_root sh -c 'DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb xauth xdotool' \
    >"$work/apt-x.log" 2>&1 || {
    tail -n 30 "$work/apt-x.log"
    exit 1
}

desktop=$(ls "$root"/usr/share/applications/*.desktop)
# The Exec line without its field codes (%f, %U and the like).
execLine=$(sed -n 's/^Exec=//p' "$desktop" | head -n 1 | sed 's/ *%[a-zA-Z]//g')
step "starting '$execLine' (Exec of $(basename "$desktop")) as nobody under xvfb-run"
cat >"$root/tmp/window-check.sh" <<SCRIPT
#!/bin/sh
# Runs on the Xvfb screen: starts the window, answers the first start's welcome message,
# and waits for the main window and for the settings written once it is placed.
$execLine >/tmp/window.log 2>&1 &
pid=\$!
main=""
i=0
while [ \$i -lt 40 ] && [ -z "\$main" ]; do
    message=\$(xdotool search --onlyvisible --name '$MessageTitle' 2>/dev/null | head -n 1)
    [ -n "\$message" ] && xdotool windowfocus --sync "\$message" key Return 2>/dev/null
    main=\$(xdotool search --onlyvisible --name '$MainTitle' 2>/dev/null | head -n 1)
    sleep 0.5
    i=\$((i + 1))
done
[ -n "\$main" ] && echo "main window: \$(xdotool getwindowname "\$main")"
i=0
while [ \$i -lt 20 ] && [ ! -f "\$HOME/.config/hangardeck/hangardeck.ini" ]; do
    sleep 0.5
    i=\$((i + 1))
done
kill \$pid 2>/dev/null
wait \$pid 2>/dev/null
[ -n "\$main" ] || { echo "no window titled '$MainTitle' appeared"; cat /tmp/window.log; exit 1; }
SCRIPT
mkdir -p "$root/tmp/nobody-home"
in_root chown nobody:nogroup /tmp/nobody-home
in_root runuser -u nobody -- env HOME=/tmp/nobody-home sh -c 'cd "$HOME" && xvfb-run -a sh /tmp/window-check.sh'

ini=$root/tmp/nobody-home/.config/hangardeck/hangardeck.ini
if [ ! -f "$ini" ]; then
    echo "FAIL: no settings in ~/.config/hangardeck/ of the user who started the window" >&2
    exit 1
fi
echo "settings written: ~/.config/hangardeck/hangardeck.ini, owner $(stat -c %U "$ini"), keys: $(grep -c '=' "$ini")"
# Root can write to /usr/bin, and the installed window must still keep nothing there.
step "starting '$execLine' as root under xvfb-run"
mkdir -p "$root/tmp/root-home"
in_root env HOME=/tmp/root-home sh -c 'cd "$HOME" && xvfb-run -a sh /tmp/window-check.sh'
[ -f "$root/tmp/root-home/.config/hangardeck/hangardeck.ini" ] || {
    echo "FAIL: no settings in root's ~/.config/hangardeck/" >&2
    exit 1
}
if [ -e "$root/usr/bin/hangardeck.ini" ] || [ -e "$root/usr/bin/output.txt" ]; then
    echo "FAIL: a settings or list file appeared in /usr/bin" >&2
    exit 1
fi
echo "nothing written beside /usr/bin, by nobody or by root"
step "PASS: $(basename "$deb") on a fresh bookworm"

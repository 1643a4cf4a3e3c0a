#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Runs the real window under Xvfb and openbox: a first run, then three start/close cycles.
# The stored top/left/height/width are the window's outer frame, so the first run must store
# what it shows, centred, and every later start must come back exactly where it was, the same
# size. Offscreen tests cannot see this: there is no frame without a window manager.
# A last run lists folders that could hold the window (a FIFO named like a picture, a link to
# a large tree), steps through the rows and ends by File > Exit: the program must be gone
# within 5 s.
#
# usage: window_geometry_test.sh HANGARDECK_BINARY [AIRCRAFT_DIR]
# Exits 0 on success, 1 on a failed check, 2 on a usage error, 77 when a tool is missing.
set -u

ScreenWidth=1280
ScreenHeight=1024
TwipsPerPixel=15
# The design window's client area, below the menu bar.
DesignClientWidthTwips=8985
DesignClientHeightTwips=6420
MaxMenuBarPixels=40
MainTitle='^MERIDOXA HANGARDECK [0-9]'
MessageTitle='^MERIDOXA HANGARDECK$'
Cycles=3

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 HANGARDECK_BINARY [AIRCRAFT_DIR]" >&2
    exit 2
fi
program=$1
aircraftDir=${2:-}
if [ ! -x "$program" ]; then
    echo "$0: '$program' is not an executable" >&2
    exit 2
fi
if [ -n "$aircraftDir" ] && [ ! -d "$aircraftDir" ]; then
    echo "$0: '$aircraftDir' is not a directory" >&2
    exit 2
fi

for tool in Xvfb openbox xdotool xwininfo xprop timeout mkfifo split; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: needs Xvfb, openbox, xdotool, xwininfo: install them with scripts/install-deps.sh ($tool is missing)"
        exit 77
    fi
done

# Every wait below is bounded by this deadline too, so the script always ends (and cleans up)
# before ctest's own timeout would kill it and leave the X server behind.
deadline=$(($(date +%s) + 150))

tmp=$(mktemp -d "${TMPDIR:-/tmp}/hangardeck-wm.XXXXXX") || exit 2
xvfbPid=""
wmPid=""
appPid=""

alive() {
    # A child that has exited stays a zombie until waited for: it is not alive.
    [ -n "$1" ] && [ -r "/proc/$1/stat" ] && ! grep -q '^[0-9]* ([^)]*) Z' "/proc/$1/stat" 2>/dev/null
}

exited() {
    ! alive "$1"
}

stop() {
    pid=$1
    alive "$pid" || { [ -n "$pid" ] && wait "$pid" 2>/dev/null; return 0; }
    kill "$pid" 2>/dev/null
    i=0
    while alive "$pid" && [ $i -lt 20 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    alive "$pid" && kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

cleanup() {
    stop "$appPid"
    stop "$wmPid"
    stop "$xvfbPid"
    rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

abort() {
    echo "FAIL: $*"
    # What the X server holds of the program at that moment: a window that exists but is not
    # viewable tells a different story from one that was never made.
    for id in $(x xdotool search --pid "$appPid" 2>/dev/null); do
        echo "window $id '$(x xdotool getwindowname "$id" 2>/dev/null)':" \
            "$(x xwininfo -id "$id" 2>/dev/null | sed -n 's/^ *Map State: *//p')"
    done
    if [ -s "$tmp/app.log" ]; then
        echo "--- program output ---"
        tail -n 20 "$tmp/app.log"
    fi
    exit 1
}

# X clients get a short timeout each: a wedged X server must not hang the test.
x() {
    timeout 5 "$@"
}

# Waits up to $1 seconds (and never past the deadline) until the command after it succeeds.
waitFor() {
    limit=$(($(date +%s) + $1))
    shift
    while :; do
        "$@" && return 0
        now=$(date +%s)
        if [ "$now" -ge "$limit" ] || [ "$now" -ge "$deadline" ]; then
            return 1
        fi
        sleep 0.1
    done
}

wmRunning() {
    x xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# Prints the id of the first visible window whose title matches $1.
visibleWindow() {
    x xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 | grep .
}

# Prints "x y width height" of window $1 as the X server has it.
windowRect() {
    x xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X:/ { x = $4 }
        /Absolute upper-left Y:/ { y = $4 }
        /^ *Width:/ { w = $2 }
        /^ *Height:/ { h = $2 }
        /Border width:/ { b = $3 }
        END { if (w == "") exit 1; print x - b, y - b, w + 2 * b, h + 2 * b }'
}

# Prints "x y width height" of the frame around client window $1: its ancestor that is a
# child of the root window, title bar and borders included.
outerFrame() {
    win=$1
    depth=0
    while [ $depth -lt 8 ]; do
        parent=$(x xwininfo -children -id "$win" 2>/dev/null | awk '/Parent window id:/ { print $4; exit }')
        [ -n "$parent" ] || return 1
        [ "$parent" = "$rootId" ] && break
        win=$parent
        depth=$((depth + 1))
    done
    windowRect "$win"
}

# Prints the stored "top left height width" in twips, or fails when a key is missing.
storedGeometry() {
    ini=$appDir/hangardeck.ini
    [ -f "$ini" ] || ini=$XDG_CONFIG_HOME/hangardeck/hangardeck.ini
    [ -f "$ini" ] || return 1
    awk -F= '
        /^[ \t]*\[/ { section = tolower($0); gsub(/[ \t\r]/, "", section); next }
        section == "[main]" {
            key = tolower($1); gsub(/[ \t]/, "", key)
            value = substr($0, index($0, "=") + 1); gsub(/[ \t\r"]/, "", value)
            v[key] = value
        }
        END {
            if (v["top"] == "" || v["left"] == "" || v["height"] == "" || v["width"] == "") exit 1
            print v["top"], v["left"], v["height"], v["width"]
        }' "$ini"
}

storedMarker() {
    ini=$appDir/hangardeck.ini
    [ -f "$ini" ] || ini=$XDG_CONFIG_HOME/hangardeck/hangardeck.ini
    awk -F= 'tolower($1) ~ /^[ \t]*sheep[ \t]*$/ { v = $2; gsub(/[ \t\r"]/, "", v); print v }' "$ini" 2>/dev/null
}

# Prints the stored twips "top left height width" as pixels "x y width height".
twipsToPixelRect() {
    echo "$1" | awk -v t="$TwipsPerPixel" '{ printf "%g %g %g %g\n", $2 / t, $1 / t, $4 / t, $3 / t }'
}

# True when two "x y width height" rectangles agree within $3 pixels on every side.
rectsAgree() {
    echo "$1 $2" | awk -v tol="$3" '
        function abs(a) { return a < 0 ? -a : a }
        { exit !(abs($1 - $5) <= tol && abs($2 - $6) <= tol && abs($3 - $7) <= tol && abs($4 - $8) <= tol) }'
}

failures=""
fail() {
    failures="$failures
$*"
}

# Waits until the frame of window $1 has stopped moving (the window manager and the program
# may still be placing it just after it maps), then prints it.
settledFrame() {
    last=""
    same=0
    limit=$(($(date +%s) + 4))
    while :; do
        current=$(outerFrame "$1") || return 1
        if [ "$current" = "$last" ]; then
            same=$((same + 1))
        else
            same=0
            last=$current
        fi
        [ $same -ge 4 ] && break
        [ "$(date +%s)" -ge "$limit" ] && break
        sleep 0.25
    done
    echo "$last"
}

# Starts the program, waits for its main window (pressing OK on the welcome message when $1
# is "first"), measures it, closes it with Alt+F4 and waits for it to exit. Sets frame, client.
runOnce() {
    kind=$1
    (cd "$workDir" && exec "$appDir/hangardeck") >>"$tmp/app.log" 2>&1 &
    appPid=$!

    if [ "$kind" = first ]; then
        message=$(waitFor 10 visibleWindow "$MessageTitle") ||
            abort "$kind run: no welcome message within 10 s"
        # The key goes to the focused window: activate the message first, and press again
        # should the first press land before the box has the focus.
        presses=0
        while visibleWindow "$MessageTitle" >/dev/null; do
            [ $presses -lt 5 ] || abort "$kind run: the welcome message did not close on Enter"
            x xdotool windowactivate --sync "$message" key Return 2>/dev/null
            presses=$((presses + 1))
            sleep 0.5
        done
    fi

    main=$(waitFor 30 visibleWindow "$MainTitle")
    if [ -z "$main" ]; then
        if visibleWindow "$MessageTitle" >/dev/null; then
            abort "$kind run: a message is shown instead of the main window (a welcome after the first run?)"
        fi
        abort "$kind run: the main window did not appear within 30 s"
    fi
    frame=$(settledFrame "$main") || abort "$kind run: cannot read the window's frame"
    client=$(windowRect "$main") || abort "$kind run: cannot read the window's geometry"
    if visibleWindow "$MessageTitle" >/dev/null; then
        fail "$kind run: a welcome message is shown beside the main window"
    fi

    # Alt+F4 is openbox's close binding: the program gets a close request, as from the close
    # box, and saves its settings. xdotool's windowclose would destroy the window instead.
    x xdotool windowactivate --sync "$main" key alt+F4 2>/dev/null ||
        abort "$kind run: could not activate the main window to close it"
    if ! waitFor 10 exited "$appPid"; then
        abort "$kind run: the program did not exit within 10 s of Alt+F4"
    fi
    wait "$appPid"
    status=$?
    appPid=""
    [ $status -eq 0 ] || abort "$kind run: the program exited with status $status"
}

row() {
    printf '%-8s %-20s %-10s %-24s %s\n' "$@"
}

# The X server writes its display number to fd 3 once it accepts connections.
Xvfb -displayfd 3 -screen 0 "${ScreenWidth}x${ScreenHeight}x24" -nolisten tcp \
    3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfbPid=$!
waitFor 10 grep -q '[0-9]' "$tmp/display" || abort "Xvfb did not start: $(tail -n 3 "$tmp/xvfb.log")"
DISPLAY=:$(head -n 1 "$tmp/display")
export DISPLAY

# The program, openbox and Qt write only below the temporary folder, never in the user's files.
export HOME="$tmp/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_RUNTIME_DIR="$tmp/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR SESSION_MANAGER

openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
wmPid=$!
waitFor 10 wmRunning || abort "openbox does not manage windows: $(tail -n 3 "$tmp/openbox.log")"
rootId=$(x xwininfo -root | awk '/Window id:/ { print $4; exit }')
screen=$(windowRect "$rootId")
[ "$screen" = "0 0 $ScreenWidth $ScreenHeight" ] || abort "unexpected screen geometry: $screen"

# The settings file lives beside the executable, found through /proc/self/exe: run a copy.
appDir=$tmp/app
mkdir -p "$appDir"
cp "$program" "$appDir/hangardeck" || abort "cannot copy $program"
help=$(dirname "$program")/hangardeck-help.html
[ -f "$help" ] && cp "$help" "$appDir/"
# Until a stored aircraft directory exists the window opens on the current directory.
workDir=${aircraftDir:-$tmp}

echo "Screen ${ScreenWidth}x${ScreenHeight} on $DISPLAY, openbox; pixels are x y width height, twips top left height width."
row run "outer frame (px)" "client" "stored (twips)" "stored (px)"

runOnce first
stored=$(storedGeometry) || abort "first run: hangardeck.ini has no top/left/height/width"
row first "$frame" "$(echo "$client" | awk '{ print $3 "x" $4 }')" "$stored" "$(twipsToPixelRect "$stored")"

[ "$(storedMarker)" = 9 ] || fail "first run: hangardeck.ini does not have sheep=9"
if ! rectsAgree "$(twipsToPixelRect "$stored")" "$frame" 1; then
    fail "first run: stored $(twipsToPixelRect "$stored") is not the outer frame $frame shown on screen"
fi
if ! echo "$frame" | awk -v sw="$ScreenWidth" -v sh="$ScreenHeight" '
        function abs(a) { return a < 0 ? -a : a }
        { exit !(abs($1 - (sw - $3) / 2) <= 1 && abs($2 - (sh - $4) / 2) <= 1) }'; then
    fail "first run: outer frame $frame is not centred on the screen (left should be $(echo "$frame" |
        awk -v sw="$ScreenWidth" '{ print (sw - $3) / 2 }'), top $(echo "$frame" |
        awk -v sh="$ScreenHeight" '{ print (sh - $4) / 2 }'))"
fi
# The first window is the design client area under a menu bar (a line of text, well under
# MaxMenuBarPixels); what is stored adds the frame.
if ! echo "$client" | awk -v t="$TwipsPerPixel" -v dw="$DesignClientWidthTwips" -v dh="$DesignClientHeightTwips" \
        -v mb="$MaxMenuBarPixels" '
        function abs(a) { return a < 0 ? -a : a }
        { exit !(abs($3 - dw / t) <= 1 && $4 > dh / t && $4 <= dh / t + mb) }'; then
    fail "first run: the client window $client is not the design client area ($((DesignClientWidthTwips / TwipsPerPixel)) wide, $((DesignClientHeightTwips / TwipsPerPixel)) high plus a menu bar of at most $MaxMenuBarPixels)"
fi
if ! echo "$stored $client" | awk -v t="$TwipsPerPixel" '{ exit !($3 > $8 * t) }'; then
    fail "first run: stored height $(echo "$stored" | awk '{ print $3 }') twips does not count the frame (client with menu: $(echo "$client" | awk -v t="$TwipsPerPixel" '{ print $4 * t }') twips)"
fi

cycle=1
while [ $cycle -le $Cycles ]; do
    previous=$stored
    runOnce "cycle $cycle"
    stored=$(storedGeometry) || abort "cycle $cycle: hangardeck.ini has no top/left/height/width"
    row "cycle $cycle" "$frame" "$(echo "$client" | awk '{ print $3 "x" $4 }')" "$stored" "$(twipsToPixelRect "$stored")"
    if ! rectsAgree "$(twipsToPixelRect "$previous")" "$frame" 1; then
        fail "cycle $cycle: the window came up at $frame, not at the stored $(twipsToPixelRect "$previous")"
    fi
    if ! echo "$previous $stored" | awk '{ exit !($1 == $5 && $2 == $6 && $3 == $7 && $4 == $8) }'; then
        fail "cycle $cycle: stored geometry changed from $previous to $stored"
    fi
    cycle=$((cycle + 1))
done

# An aircraft directory beside the samples: a FIFO named a.jpg, and ten folders linked to one
# tree of 64,000 pictures (1,000 files doubled six times by hard links, which cost no new
# files). Walked on the interface thread, each would hold the window for a second or more.
hostile=$tmp/hostile
big=$tmp/big
mkdir -p "$hostile/fifo" "$big/d" || abort "cannot write $hostile"
[ -n "$aircraftDir" ] && cp -R "$aircraftDir/." "$hostile/"
printf '[fltsim.0]\r\ntitle=Fifo\r\nui_manufacturer=Hostile\r\nui_type=FIFO\r\n' >"$hostile/fifo/aircraft.cfg"
mkfifo "$hostile/fifo/a.jpg" || abort "cannot make a FIFO"
printf '[fltsim.0]\r\ntitle=Huge\r\nui_manufacturer=Hostile\r\nui_type=Tree\r\n' >"$big/aircraft.cfg"
seq 1000 | (cd "$big/d" && split -l 1 -a 4 -d --additional-suffix=.jpg - p) || abort "cannot write $big"
doubled=0
while [ $doubled -lt 6 ]; do
    mkdir "$big/n" && mv "$big/d" "$big/n/a" && cp -al "$big/n/a" "$big/n/b" && mv "$big/n" "$big/d" ||
        abort "cannot link the tree in $big"
    doubled=$((doubled + 1))
done
for n in 0 1 2 3 4 5 6 7 8 9; do
    ln -s "$big" "$hostile/huge$n" || abort "cannot link $big"
done
ini=$appDir/hangardeck.ini
[ -f "$ini" ] || ini=$XDG_CONFIG_HOME/hangardeck/hangardeck.ini
cr=$(printf '\r')
sed -i "s|^acpath=.*|acpath=$hostile$cr|" "$ini" || abort "cannot set the aircraft directory in $ini"

(cd "$hostile" && exec "$appDir/hangardeck") >>"$tmp/app.log" 2>&1 &
appPid=$!
main=$(waitFor 30 visibleWindow "$MainTitle") || abort "hostile run: the main window did not appear within 30 s"
# F5 lists and selects the first row, focus in the list; the arrows then select row after row,
# the FIFO's and the linked tree's among them, faster than their pictures are found.
x xdotool windowactivate --sync "$main" key F5 2>/dev/null || abort "hostile run: could not press F5"
sleep 1
steps=0
while [ $steps -lt 30 ]; do
    x xdotool key Down 2>/dev/null || abort "hostile run: the window took no arrow key"
    sleep 0.1
    steps=$((steps + 1))
done
x xdotool key Up key Up 2>/dev/null
x xdotool key alt+f 2>/dev/null && sleep 0.3 && x xdotool key x 2>/dev/null ||
    abort "hostile run: could not choose File > Exit"
exitStart=$(date +%s)
if waitFor 5 exited "$appPid"; then
    wait "$appPid"
    status=$?
    appPid=""
    [ $status -eq 0 ] || fail "hostile run: the program exited with status $status"
    echo "hostile  F5, 32 row steps, File > Exit: exited within $(($(date +%s) - exitStart)) s"
else
    fail "hostile run: the program did not exit within 5 s of File > Exit"
fi

if [ -n "$failures" ]; then
    echo "$failures" | sed '/^$/d; s/^/FAIL: /'
    exit 1
fi
echo "PASS: the first run stores its centred outer frame, $Cycles start/close cycles keep it, and a FIFO or a large linked tree does not hold the window"
exit 0

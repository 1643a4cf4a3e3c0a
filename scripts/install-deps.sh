#!/bin/sh
# Installs the Debian 12 packages the build and the tests need, only those that are missing
# (a font too: a bare system has none, and the window would show no text). The window-manager
# test runs the program on an Xvfb screen under openbox, driven by xdotool and measured with
# xwininfo and xprop (x11-utils). With the argument "fuzz", only what the fuzz build needs:
# clang with its libFuzzer and sanitizer runtimes, and Qt Core.
set -eu
if [ "${1:-}" = fuzz ]; then
    packages="cmake ninja-build make qt6-base-dev qt6-base-dev-tools clang libclang-rt-14-dev"
else
    packages="cmake ninja-build g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core"
    packages="$packages xvfb openbox xdotool x11-utils"
fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing

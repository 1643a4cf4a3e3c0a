#!/bin/sh
# Installs the Debian 12 packages the build and the tests need, only those that are missing
# (a font too: a bare system has none, and the window would show no text). The window-manager
# test runs the program on an Xvfb screen under openbox, driven by xdotool and measured with
# xwininfo and xprop (x11-utils). The install test validates the desktop entry
# (desktop-file-utils), the metainfo (appstream) and the manual page (groff-base).
# Arguments name further groups:
#   package  what CPack needs for the Debian package: dpkg-shlibdeps (dpkg-dev) and file, with
#            which CPack finds the programs to ask it about;
#   style    clang-format and clang-tidy for scripts/check-style.sh (clang-tools applies fixes);
#   fuzz     clang with its libFuzzer and sanitizer runtimes, for the fuzz build;
#   windows  the mingw-w64 cross compiler and Wine, for the Windows build and its tests.
set -eu
packages="cmake ninja-build g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core"
packages="$packages xvfb openbox xdotool x11-utils"
packages="$packages desktop-file-utils appstream groff-base"
for group in "$@"; do
    case $group in
    package) packages="$packages dpkg-dev file" ;;
    style) packages="$packages clang-format clang-tidy clang-tools" ;;
    fuzz) packages="$packages clang libclang-rt-14-dev" ;;
    windows) packages="$packages g++-mingw-w64-x86-64-posix wine64 wine dpkg-dev" ;;
    *)
        echo "install-deps.sh: unknown group $group" >&2
        exit 2
        ;;
    esac
done
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing

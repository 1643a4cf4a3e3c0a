#!/bin/sh
# Installs the Debian 12 packages the build needs, only those that are missing (a font
# too: a bare system has none, and the window would show no text).
set -eu
packages="cmake ninja-build g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-dejavu-core"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing

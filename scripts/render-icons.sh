#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Renders the scalable icon into the PNG sizes of the hicolor theme. Run it after changing
# the SVG and commit the PNGs: the build then needs no SVG renderer. Installs librsvg2-bin
# (rsvg-convert) when it is missing.
set -eu
cd "$(dirname "$0")/.."
id=org.example.hangardeck
icons=data/icons/hicolor
svg=$icons/scalable/apps/$id.svg

if ! command -v rsvg-convert >/dev/null 2>&1; then
    if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends librsvg2-bin
fi

for size in 16 32 48 64 128 256; do
    mkdir -p "$icons/${size}x$size/apps"
    rsvg-convert --width "$size" --height "$size" --output "$icons/${size}x$size/apps/$id.png" "$svg"
    echo "$icons/${size}x$size/apps/$id.png"
done

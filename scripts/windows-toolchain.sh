#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Makes what a Windows build needs, from Debian's packages only: the mingw-w64 cross compiler,
# Wine to run the result, and Qt's base module built for Windows as DLLs (so that a zip of the
# program meets Qt's LGPL terms) from Debian's own qt6-base source, the same version as the
# build machine's Qt, whose moc, rcc and uic it uses. Qt goes into a cache outside the
# repository; when the cache is there, nothing is done.
#
#   scripts/windows-toolchain.sh          (as root, or with sudo)
#
# Environment: HANGARDECK_WINDOWS_QT (default /var/cache/hangardeck/qt-6.4.2-mingw), JOBS.
# About 40 minutes on 2 cores.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
prefix=${HANGARDECK_WINDOWS_QT:-/var/cache/hangardeck/qt-6.4.2-mingw}
stamp=$prefix/.complete
# The cross compiler and Wine, also where Qt is already made (a machine that kept the cache).
"$here/scripts/install-deps.sh" windows
if [ -f "$stamp" ]; then
    echo "Qt for Windows is in $prefix"
    exit 0
fi
sudo=
if [ "$(id -u)" != 0 ]; then
    sudo=sudo
fi

# Source packages come from the same mirror as the binary ones.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    $sudo tee /etc/apt/sources.list.d/hangardeck-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
fi
$sudo apt-get update -qq

# The build tree is kept beside the cache until Qt is installed: a build that stops (an error,
# the machine's time running out) goes on from where it was at the next run.
work=$prefix.build
$sudo mkdir -p "$work"
$sudo chown "$(id -u):$(id -g)" "$work"
cd "$work"
if [ ! -d source ]; then
    apt-get source -qq --download-only qt6-base >/dev/null
    dpkg-source -x --skip-patches qt6-base_*.dsc source.partial >/dev/null
    mv source.partial source
fi
version=$(sed -n 's/^Version: \([0-9.]*\).*/\1/p' qt6-base_*.dsc)
host=$(dpkg -s qt6-base-dev | sed -n 's/^Version: \([0-9.]*\).*/\1/p')
if [ "$version" != "$host" ]; then
    echo "windows-toolchain: qt6-base source $version differs from the installed Qt $host" >&2
    exit 1
fi

# Each switch, and why:
#   -xplatform win32-g++        the target is Windows, with mingw's g++
#   -qt-host-path /usr          moc, rcc and uic are the build machine's (Qt 6 cross builds need them)
#                               (Debian keeps their CMake files below /usr/lib/<multiarch>/cmake)
#   -shared -release            DLLs, optimised: what the zip ships
#   -prefix                     the cache, outside the repository
#   -nomake examples/tests      only the libraries and plugins
#   -no-feature-tabletevent     Debian's source leaves out the bundled wintab.h it needs
#   -no-opengl -no-feature-dynamicgl
#                               the program draws with the raster engine only (the windows
#                               plugin of 6.4.2 does not build with dynamic GL left on alone)
#   -no-dbus -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent
#                               modules the program never uses
#   -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre
#                               the bundled copies: Debian has no Windows builds of these libraries
#   -no-icu                     Windows' own locale support instead
#   -schannel / -no-openssl     no TLS is needed at all
[ -f build/build.ninja ] || cmake -S source -B build -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_BUILD_TYPE=Release \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF \
    -DFEATURE_dbus=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_icu=OFF -DFEATURE_openssl=OFF \
    >configure.log 2>&1 || { tail -n 40 configure.log >&2; exit 1; }
# Qt's headers warn on every file under mingw; only the failed steps and their errors are shown.
if ! cmake --build build --parallel "${JOBS:-$(nproc)}" >build.log 2>&1; then
    grep -E -A12 '^FAILED:' build.log | grep -E '^FAILED:|error:|Error|undefined reference' | head -n 40 >&2
    echo "windows-toolchain: the build stopped; $work/build.log holds all of it, and a new run goes on" >&2
    exit 1
fi
$sudo cmake --install build >/dev/null
$sudo touch "$stamp"
rm -rf "$work"
echo "Qt for Windows is in $prefix"

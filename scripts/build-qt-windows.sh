#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt for 64-bit Windows from Debian's own qt6-base source (the Qt the Linux build uses),
# cross-compiled with MinGW-w64: Core, Gui, Widgets, Network (local sockets), Test, the windows
# platform plugin and the windowsvista style, shared. It goes into a cache outside the clone
# (scripts/qt-windows.sh names it) with a stamp, so a second run costs nothing. About 17 minutes
# on two cores.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/qt-windows.sh"
prefix=$qt_windows
work=${MORIV_QT_WINDOWS_WORK:-$prefix-work}
jobs=$(nproc)
stamp="$prefix/moriv-qt.stamp"
# One build at a time: another test command on this machine waits, then finds Qt ready.
mkdir -p "$(dirname "$prefix")"
exec 9> "$prefix.lock"
flock 9

# The options, without the folders this clone and this cache happen to be in.
options=(-DCMAKE_BUILD_TYPE=Release
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    -DFEATURE_sql=OFF -DFEATURE_printsupport=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF
    -DFEATURE_vulkan=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_direct2d=OFF -DFEATURE_icu=OFF
    -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_pkg_config=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_openssl=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_doubleconversion=OFF)
# What the build is made of: the Qt version, the options, the toolchain and the patches. A
# change to any of them builds Qt again; a change elsewhere in this script does not.
# Our own fixes are made for one Qt version: cmake/qt-windows/MAJOR.MINOR-*.patch.
shopt -s nullglob
ours=("$top"/cmake/qt-windows/"${qt_windows_version%.*}"-*.patch)
shopt -u nullglob
if [ -z "$qt_windows_version" ]; then
    echo "build-qt-windows.sh: qt6-base-dev is not installed" >&2
    exit 1
fi
recipe=$( (echo "$qt_windows_version" "${options[@]}"
           cat "$top/cmake/mingw-w64-x86_64.cmake" ${ours[@]+"${ours[@]}"}) \
         | sha256sum | cut -d' ' -f1)

if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$recipe" ]; then
    echo "Qt for Windows is ready in $prefix"
    exit 0
fi

bash "$top/scripts/install-deps.sh" windows

enable_deb_src

# The same Debian version as the host Qt, so that its moc, rcc and uic fit.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
rm -rf "$work"
mkdir -p "$work"
cd "$work"
apt-get source --download-only -qq "qt6-base=$version"
dpkg-source --skip-patches -x qt6-base_*.dsc source > /dev/null
cd source

# Debian's security fixes and upstream backports apply; its packaging patches (cross-building
# Debian's own way, system libraries, build paths, other processors) do not.
while read -r patch; do
    case "$patch" in
        cve-*|upstream_*) ;;
        ''|'#'*) continue ;;
        *) echo "not applied (Debian packaging): $patch"; continue ;;
    esac
    patch -p1 -s --forward < "debian/patches/$patch" || { echo "patch failed: $patch"; exit 1; }
done < debian/patches/series
for patch in ${ours[@]+"${ours[@]}"}; do
    patch -p1 -s --forward < "$patch"
done

cmake -S . -B "$work/build" -G "Unix Makefiles" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" "${options[@]}" \
    > "$work/configure.log"
cmake --build "$work/build" --parallel "$jobs"
rm -rf "$prefix"
cmake --install "$work/build" > /dev/null
echo "$recipe" > "$stamp"
rm -rf "$work"
echo "Qt for Windows is ready in $prefix"

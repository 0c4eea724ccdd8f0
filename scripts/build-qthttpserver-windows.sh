#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt's HTTP server for 64-bit Windows from Debian's own qt6-httpserver source, of the
# version the Linux build uses, into Qt for Windows (scripts/build-qt-windows.sh, which must
# have run), as Qt itself is built: the remote control's library needs it. Where Debian's
# source cannot be fetched (its mirror does not serve it everywhere), Qt's own source of that
# version kept in third-party/ is used, once its sha256 is checked, with Debian's patches
# where they can be had. Where neither builds, moriv.exe is built without the remote control
# and this says so; it is tried again when the recipe changes. A stamp keeps a second run free.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/scripts/qt-windows.sh"
prefix=$qt_windows
work=${MORIV_QT_WINDOWS_WORK:-$prefix-work}-httpserver
stamp="$prefix/moriv-httpserver.stamp"
exec 9> "$prefix.lock"
flock 9

version=$(dpkg-query -W -f='${Version}' qt6-httpserver-dev 2>/dev/null || true)
upstream=${version%%-*}
upstream=${upstream#*:}
tarball="$top/third-party/qthttpserver-everywhere-src-$upstream.tar.xz"
recipe=$( (echo "$version"; cat "$prefix/moriv-qt.stamp" "$top/cmake/mingw-w64-x86_64.cmake"
           cat "$tarball.sha256" 2> /dev/null || true) | sha256sum | cut -d' ' -f1)
if [ -f "$stamp" ]; then
    case "$(cat "$stamp")" in
        "$recipe") echo "Qt HTTP Server for Windows is ready in $prefix"; exit 0 ;;
        "none $recipe") echo "Qt HTTP Server for Windows: none (see the first run's reason);" \
                             "moriv.exe has no remote control"; exit 0 ;;
    esac
fi
# none REASON: moriv.exe is built without the remote control, and why.
none() {
    echo "Qt HTTP Server for Windows: $*; moriv.exe is built without the remote control"
    echo "none $recipe" > "$stamp"
    rm -rf "$work"
    exit 0
}
[ -n "$version" ] || none "qt6-httpserver-dev is not installed"

enable_deb_src
rm -rf "$work"
mkdir -p "$work"
cd "$work"
# Debian's fixes of security holes and its backports from upstream, from its patches folder.
apply_debian_patches() {
    local patch
    while read -r patch; do
        case "$patch" in
            cve-*|upstream_*) patch -p1 -s --forward < "$1/$patch" \
                                  || none "Debian's patch $patch does not apply" ;;
        esac
    done < <(cat "$1/series" 2> /dev/null || true)
}
if apt-get source --download-only -qq "qt6-httpserver=$version" > fetch.log 2>&1; then
    dpkg-source --skip-patches -x qt6-httpserver_*.dsc source > /dev/null
    cd source
    apply_debian_patches debian/patches
else
    echo "Debian's source qt6-httpserver $version cannot be fetched" \
         "($(grep -m1 -o '[0-9]\{3\} .*' fetch.log || echo "no answer"));" \
         "Qt's own source from third-party/ instead"
    [ -f "$tarball" ] || none "third-party/ has no $(basename "$tarball")"
    (cd "$top/third-party" && sha256sum --check --quiet "$tarball.sha256") \
        || none "$(basename "$tarball") does not match its sha256"
    mkdir source
    tar -xJf "$tarball" -C source --strip-components=1
    # Debian's own patches alone, where its mirror serves them without the source.
    apt-get source --download-only --diff-only -qq "qt6-httpserver=$version" > patches.log 2>&1 \
        || true
    cd source
    if compgen -G '../qt6-httpserver_*.debian.tar.*' > /dev/null; then
        tar -xf ../qt6-httpserver_*.debian.tar.* debian/patches
        apply_debian_patches debian/patches
    else
        echo "Debian's patches for qt6-httpserver $version cannot be fetched either;" \
             "Qt's source as released"
    fi
fi
cmake -S . -B "$work/build" -G "Unix Makefiles" -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF \
    -DQT_BUILD_TESTS=OFF > "$work/configure.log" 2>&1 \
    || none "its configuration failed: $(tail -n3 "$work/configure.log")"
cmake --build "$work/build" --parallel "$(nproc)" > "$work/build.log" 2>&1 \
    || none "its build failed: $(grep -m3 'error' "$work/build.log")"
cmake --install "$work/build" > /dev/null
echo "$recipe" > "$stamp"
rm -rf "$work"
echo "Qt HTTP Server for Windows is ready in $prefix"

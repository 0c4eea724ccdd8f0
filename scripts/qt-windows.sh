# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# shellcheck disable=SC2034 # the scripts that source this use what it sets
# Where Qt for Windows and the MinGW-w64 runtime are, for the scripts that build, deploy and
# run the Windows program. Source it; MORIV_QT_WINDOWS chooses another cache.
# Qt for Windows is the version of the machine's own Qt (Debian 12: 6.4.2, Debian 13: 6.8.2), so
# that the machine's moc, rcc and uic fit it.
qt_windows_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null \
                     | sed 's/^[0-9]*://; s/[+~-].*//')
qt_windows=${MORIV_QT_WINDOWS:-$HOME/.cache/moriv/qt-$qt_windows_version-mingw}
# The MinGW-w64 runtime DLLs: the C++ library and libgcc of the newest posix-threads compiler
# installed, and winpthread.
mingw_runtime=$(find /usr/lib/gcc/x86_64-w64-mingw32 -maxdepth 1 -name '*-posix' 2>/dev/null \
                | sort -V | tail -n1)
mingw_libraries=/usr/x86_64-w64-mingw32/lib

# apt-get source needs deb-src for Debian's own entries; the binary entries stay as they are.
enable_deb_src() {
    local sudo="" file
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Package: qt6-base'; then
        echo "Enabling deb-src for Debian's package sources"
        for file in /etc/apt/sources.list.d/*.sources; do
            [ -f "$file" ] || continue
            awk 'BEGIN { RS = ""; ORS = "\n\n" }
                 /URIs:[^\n]*debian/ && !/Types:[^\n]*deb-src/ {
                     sub(/Types: deb/, "Types: deb deb-src")
                 }
                 { print }' "$file" > /tmp/moriv-sources.$$
            $sudo cp /tmp/moriv-sources.$$ "$file"
            rm -f /tmp/moriv-sources.$$
        done
        if [ -f /etc/apt/sources.list ] && grep -q '^deb .*debian' /etc/apt/sources.list; then
            grep '^deb .*debian' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
                | $sudo tee /etc/apt/sources.list.d/moriv-deb-src.list > /dev/null
        fi
        $sudo apt-get update -qq
    fi
}

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program built for Windows under Wine, with Qt for Windows and the MinGW-w64 runtime
# on its DLL path. CMake uses it to run the build's own tools and the unit tests.
# Usage: wine-run.sh program.exe [arguments...]
set -euo pipefail
source "$(dirname "$0")/qt-windows.sh"
qt=$qt_windows
export WINEPREFIX=${WINEPREFIX:-$(dirname "$qt")/wineprefix-build}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
windows_path() { echo "Z:${1//\//\\}"; }
WINEPATH="$(windows_path "$qt/bin");$(windows_path "$mingw_runtime")"
WINEPATH="$WINEPATH;$(windows_path "$mingw_libraries")"
export WINEPATH
wine=$(command -v wine64 || command -v wine)
# The tests run side by side in the one prefix (its wineserver serves them all): the first
# makes it, the others wait for it. Nothing Wine starts keeps the lock.
if [ ! -f "$WINEPREFIX/moriv-ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    exec 8> "$WINEPREFIX.lock"
    flock 8
    if [ ! -f "$WINEPREFIX/moriv-ready" ]; then
        rm -rf "$WINEPREFIX"
        "$wine" wineboot --init > /dev/null 2>&1 8>&- || true
        # Wine hands no QT_* variable from Linux to Windows programs, so the windowless
        # platform of the build's tools and unit tests is set in the prefix's own environment.
        "$wine" reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f > /dev/null 2>&1 8>&-
        wineserver -w 2>/dev/null 8>&- || true
        touch "$WINEPREFIX/moriv-ready"
    fi
    exec 8>&-
fi
exec "$wine" "$@"

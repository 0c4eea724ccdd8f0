#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program built for Windows under Wine, with Qt for Windows and the MinGW-w64 runtime
# on its DLL path. CMake uses it to run the build's own tools and the unit tests.
# Usage: wine-run.sh program.exe [arguments...]
set -euo pipefail
qt=${MORIV_QT_WINDOWS:-$HOME/.cache/moriv/qt-6.4.2-mingw}
export WINEPREFIX=${WINEPREFIX:-$(dirname "$qt")/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
windows_path() { echo "Z:${1//\//\\}"; }
export WINEPATH="$(windows_path "$qt/bin");$(windows_path /usr/lib/gcc/x86_64-w64-mingw32/12-posix);$(windows_path /usr/x86_64-w64-mingw32/lib)"
export QT_PLUGIN_PATH=$(windows_path "$qt/plugins")
wine=$(command -v wine64 || command -v wine)
if [ ! -d "$WINEPREFIX" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$wine" wineboot --init > /dev/null 2>&1 || true
fi
exec "$wine" "$@"

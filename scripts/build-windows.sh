#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds moriv.exe for 64-bit Windows with MinGW-w64 against Qt built from Debian's source
# (scripts/build-qt-windows.sh, run first when needed), deploys it with the DLLs it needs and
# packs moriv-VERSION-windows-x64.zip. With --test it also runs the tests under Wine.
# Usage: build-windows.sh [--test] [output folder, default build-windows]
# The tests run side by side, MORIV_TEST_JOBS at a time (by default three more than there are
# cores, as in scripts/test.sh).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
test=OFF
if [ "${1:-}" = --test ]; then test=ON; shift; fi
out=$(mkdir -p "${1:-$top/build-windows}" && cd "${1:-$top/build-windows}" && pwd)
source "$top/scripts/qt-windows.sh"
qt=$qt_windows
export MORIV_QT_WINDOWS=$qt

bash "$top/scripts/build-qt-windows.sh"
bash "$top/scripts/build-qthttpserver-windows.sh"
version=$(sed -n 's/^project(Moriv VERSION \([0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
name="moriv-$version-windows-x64"
deploy="$out/$name"

echo "== moriv.exe"
cmake -S "$top" -B "$out/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$top/scripts/wine-run.sh" \
    -DMORIV_WARNINGS_AS_ERRORS=ON -DMORIV_BUILD_BENCH=OFF -DMORIV_BUILD_TESTS="$test" \
    -DMORIV_WINDOWS_SETUP="$out/$name-setup.exe" > "$out/configure.log"
cmake --build "$out/build" --parallel "$(nproc)"

echo "== $name.zip"
rm -rf "$deploy" "$out/$name.zip"
mkdir -p "$deploy/platforms" "$deploy/styles" "$deploy/translations"
cp "$out/build/src/moriv.exe" "$deploy/"
cp "$qt"/bin/Qt6{Core,Gui,Widgets,Network}.dll "$deploy/"
cp "$mingw_runtime"/{libstdc++-6,libgcc_s_seh-1}.dll "$mingw_libraries/libwinpthread-1.dll" \
   "$deploy/"
cp "$qt/plugins/platforms/qwindows.dll" "$deploy/platforms/"
# The remote control's library and Qt's HTTP server under it, where they could be built.
if [ -f "$out/build/src/moriv-remote.dll" ]; then
    cp "$out/build/src/moriv-remote.dll" "$qt/bin/Qt6HttpServer.dll" "$deploy/"
    [ ! -f "$qt/bin/Qt6WebSockets.dll" ] || cp "$qt/bin/Qt6WebSockets.dll" "$deploy/"
fi
# The native style: qwindowsvistastyle.dll up to Qt 6.6, qmodernwindowsstyle.dll after.
cp "$qt"/plugins/styles/*.dll "$deploy/styles/"
# The digits' seven-segment face, which Windows lacks, with its licence (SIL OFL 1.1).
mkdir -p "$deploy/fonts"
cp /usr/share/fonts/truetype/dseg/DSEG7Classic-Bold.ttf "$deploy/fonts/"
cp /usr/share/doc/fonts-dseg/copyright "$deploy/fonts/DSEG-LICENCE.txt"
# Qt's own texts (the buttons of its message boxes) in Chinese, from Debian's Qt translations.
cp /usr/share/qt6/translations/qtbase_zh_CN.qm "$deploy/translations/"
find "$deploy" \( -name '*.exe' -o -name '*.dll' \) -print0 \
    | xargs -0 x86_64-w64-mingw32-strip --strip-unneeded
sed "s/@VERSION@/$version/" "$top/assets/windows-readme.txt" | sed 's/$/\r/' > "$deploy/README.txt"
(cd "$out" && zip -qr9 "$name.zip" "$name")
echo "$out/$name.zip: $(du -k "$out/$name.zip" | cut -f1) KiB"

echo "== $name-setup.exe"
# The uninstaller removes exactly what the setup installed: each file, then each folder.
(cd "$deploy" && find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|Delete "$INSTDIR\\&"|'
 cd "$deploy" && find . -mindepth 1 -type d | sort -r \
     | sed 's|^\./||; s|/|\\|g; s|.*|RMDir "$INSTDIR\\&"|') > "$out/removals.nsh"
makensis -V2 -DVERSION="$version" -DSOURCE="$deploy" -DREMOVALS="$out/removals.nsh" \
    -DICON="$out/build/src/mainwindow/icons/moriv.ico" -DOUTFILE="$out/$name-setup.exe" \
    "$top/assets/windows-setup.nsi"
echo "$out/$name-setup.exe: $(du -k "$out/$name-setup.exe" | cut -f1) KiB"

if [ "$test" = ON ]; then
    echo "== tests under Wine"
    ctest --test-dir "$out/build" -j "${MORIV_TEST_JOBS:-$(($(nproc) + 3))}" --output-on-failure
fi

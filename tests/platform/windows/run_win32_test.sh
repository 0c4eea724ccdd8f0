#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Win32 test with MinGW-w64 and runs it under Wine on a display of its own, with a
# fresh Wine prefix: the window checks, then the settings-folder rule with drive D: mapped and
# with it unmapped.  Usage: run_win32_test.sh <work folder>
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../../.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
source "$top/tests/support/session.sh"

cmake -S "$here" -B "$out/build" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release > "$out/configure.log"
cmake --build "$out/build" > "$out/build.log" || { cat "$out/build.log"; fail "build"; }
exe="$out/build/tst_win32window.exe"

wine=$(command -v wine64 || command -v wine) || fail "Wine is not installed"
wineserver=$(command -v wineserver || ls /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver \
             2>/dev/null | head -n1) || fail "no wineserver"

# The prefix is named before the trap that ends its wineserver, which never ends another's.
export WINEPREFIX="$out/wineprefix"
trap '"$wineserver" -k 2>/dev/null; "$wineserver" -w 2>/dev/null; session_cleanup' EXIT
start_display 800x600

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
"$wine" wineboot --init > "$out/wineboot.log" 2>&1 || true
"$wineserver" -w

# checks ARGUMENTS...: Wine now and then fails to start a program on a fresh prefix before it
# prints a line; no check ran then, and the run is tried once more.
checks() {
    "$wine" "$exe" "$@" | tee "$out/checks.log" && return
    grep -q -E '^(PASS|FAIL)' "$out/checks.log" && return 1
    "$wine" "$exe" "$@"
}

echo "-- window services on a real Win32 window"
checks window "${MORIV_WIN32_SHOW_SECONDS:-0}"

echo "-- global shortcuts"
checks hotkeys

drive_d="$WINEPREFIX/dosdevices/d:"
echo "-- settings folder with drive D: present"
rm -f "$drive_d"
mkdir -p "$out/drive-d"
ln -s "$out/drive-d" "$drive_d"
checks location 'D:\' 'D:\MorivTemp'
[ -d "$out/drive-d/MorivTemp" ] || fail "D:\\MorivTemp was not made on the drive"

echo "-- settings folder with an existing D:\\MorivTemp"
checks location 'D:\' 'D:\MorivTemp'

echo "-- settings folder without drive D:"
rm -f "$drive_d"
checks location 'D:\' fallback
echo "win32: all checks passed"

#!/usr/bin/env bash
# Builds the Debian package from a configured build folder, installs it, checks its files and
# desktop entry, starts the installed program on a display of its own, and removes it again.
# Usage: package-check.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

(cd "$build" && cpack -G DEB > cpack.log) || { cat "$build/cpack.log"; fail "cpack"; }
deb=$(ls "$build"/moriv_*.deb | head -n1)
echo "-- package $(basename "$deb")"
dpkg-deb --field "$deb" Depends Recommends

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" > /dev/null
files=$(dpkg -L moriv)
for file in /usr/bin/moriv /usr/share/applications/moriv.desktop \
            /usr/share/icons/hicolor/scalable/apps/moriv.svg \
            /usr/share/icons/hicolor/16x16/apps/moriv.png \
            /usr/share/icons/hicolor/32x32/apps/moriv.png \
            /usr/share/icons/hicolor/48x48/apps/moriv.png \
            /usr/share/icons/hicolor/128x128/apps/moriv.png; do
    grep -qx "$file" <<< "$files" || fail "the package lacks $file"
done
desktop-file-validate /usr/share/applications/moriv.desktop || fail "desktop entry"
echo "-- files and desktop entry in place"

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp > /dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
DISPLAY=":$(head -n1 "$work/displayfd")" XDG_CONFIG_HOME="$work/config" \
    QT_QPA_PLATFORM=xcb /usr/bin/moriv > "$work/moriv.log" 2>&1 &
pids+=($!)
DISPLAY=":$(head -n1 "$work/displayfd")" timeout 20 \
    xdotool search --sync --onlyvisible --name '^Moriv$' > /dev/null \
    || { cat "$work/moriv.log"; fail "the installed program showed no window"; }
echo "-- the installed program shows its window"

DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq moriv > /dev/null
[ ! -e /usr/bin/moriv ] || fail "removal left /usr/bin/moriv"
echo "package: all checks passed"

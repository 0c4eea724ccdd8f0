#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a configured build folder, installs it, checks its files and
# desktop entry, starts the installed program on a display of its own, and removes it again.
# Usage: package-check.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
source "$(dirname "$0")/../tests/support/session.sh"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

(cd "$build" && cpack -G DEB > cpack.log) || { cat "$build/cpack.log"; fail "cpack"; }
debs=("$build"/moriv_*.deb)
deb=${debs[0]}
echo "-- package $(basename "$deb")"
dpkg-deb --field "$deb" Depends Recommends

DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" > /dev/null
files=$(dpkg -L moriv)
for file in /usr/bin/moriv /usr/share/applications/org.moriv.Moriv.desktop \
            /usr/share/icons/hicolor/scalable/apps/moriv.svg \
            /usr/share/icons/hicolor/16x16/apps/moriv.png \
            /usr/share/icons/hicolor/32x32/apps/moriv.png \
            /usr/share/icons/hicolor/48x48/apps/moriv.png \
            /usr/share/icons/hicolor/128x128/apps/moriv.png \
            /usr/share/icons/hicolor/22x22/apps/moriv-counting.png \
            /usr/share/icons/hicolor/24x24/apps/moriv-paused.png \
            /usr/share/doc/moriv/copyright /usr/share/doc/moriv/changelog.gz \
            /usr/share/man/man1/moriv.1.gz /usr/share/metainfo/org.moriv.Moriv.metainfo.xml; do
    grep -qx "$file" <<< "$files" || fail "the package lacks $file"
done
desktop-file-validate /usr/share/applications/org.moriv.Moriv.desktop || fail "desktop entry"
appstreamcli validate --no-net /usr/share/metainfo/org.moriv.Moriv.metainfo.xml \
    || fail "AppStream metadata"
echo "-- files, desktop entry and AppStream metadata in place"

version=$(dpkg-deb --field "$deb" Version)
[ "$(/usr/bin/moriv --version)" = "moriv $version" ] || fail "moriv --version: $(moriv --version)"
MANWIDTH=80 man -l /usr/share/man/man1/moriv.1.gz 2> "$work/man.log" | grep -q 'EXIT STATUS' \
    || { cat "$work/man.log"; fail "the manual page does not render"; }
[ ! -s "$work/man.log" ] || { cat "$work/man.log"; fail "the manual page renders with warnings"; }
echo "-- moriv --version says $version; the manual page renders"

# Debian's own judgement: no error and no warning; an info tag may only be overridden with
# its reason written beside the override.
lintian --fail-on error,warning --display-level '>=info' "$deb" | tee "$work/lintian.log" \
    || fail "lintian"
echo "-- lintian: $(grep -c . "$work/lintian.log" || true) tags of level info or above"

start_display 800x600
background "$work/moriv.log" /usr/bin/moriv
timeout 20 xdotool search --sync --onlyvisible --name '^Moriv$' > /dev/null \
    || { cat "$work/moriv.log"; fail "the installed program showed no window"; }
echo "-- the installed program shows its window"
port=$(free_port)
background "$work/remote.log" /usr/bin/moriv --remote "$port" --no-global-keys
token_file=$XDG_CONFIG_HOME/moriv/remote-token
remote_state() { curl -sf -H "Authorization: Bearer $(cat "$token_file" 2>/dev/null)" \
                      "http://127.0.0.1:$port/v1/state"; }
poll 10 remote_state > /dev/null || { cat "$work/remote.log"; fail "no remote control installed"; }
echo "-- the installed remote control answers: $(remote_state)"

DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq moriv > /dev/null
[ ! -e /usr/bin/moriv ] || fail "removal left /usr/bin/moriv"
echo "package: all checks passed"

# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Reading the running program's screen through the accessibility tree, and focusing its
# windows. Source it after session.sh, inside a D-Bus session, once start_display has run.

: "${work:?source session.sh first}"
background "$work/atspi.log" /usr/libexec/at-spi-bus-launcher --launch-immediately
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

support_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
read_screen() {
    timeout 10 /usr/bin/python3 "$support_dir/../e2e/readscreen.py" Moriv 2>/dev/null || true
}
# The timer window's line: "filler|剩余 M 分 S 秒|labels…"
timer_line() { read_screen | grep '剩余' | head -n1; }
on_screen() { read_screen | grep -q -- "$1"; }
# Waits until the screen has a line matching the pattern, 15 s or the seconds given.
wait_screen() {
    poll "${2:-15}" on_screen "$1" && return 0
    echo "screen was:" >&2; read_screen >&2
    fail "waited ${2:-15}s for: $1"
}
focus() { xdotool windowfocus --sync "$1"; }
# Focuses the newest visible window whose title matches, or fails saying which was missing.
# The windows of one program get rising ids; the search lists them in stacking order.
focus_newest() {
    local id
    id=$(xdotool search --onlyvisible --name "$1" | sort -n | tail -n1)
    [ -n "$id" ] || fail "no window titled $1"
    focus "$id"
}

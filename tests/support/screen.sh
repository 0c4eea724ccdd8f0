# SPDX-License-Identifier: GPL-3.0-or-later
# Reading the running program's screen through the accessibility tree, and focusing its
# windows. Source it after session.sh, inside a D-Bus session, once start_display has run.

background "$work/atspi.log" /usr/libexec/at-spi-bus-launcher --launch-immediately
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

support_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
read_screen() { /usr/bin/python3 "$support_dir/../e2e/readscreen.py" Moriv 2>/dev/null || true; }
# The timer window's line: "filler|剩余 M 分 S 秒|labels…"
timer_line() { read_screen | grep '剩余' | head -n1; }
# Waits until the screen has a line matching the pattern.
wait_screen() {
    local pattern=$1 limit=${2:-15}
    for _ in $(seq $((limit * 10))); do
        if read_screen | grep -q -- "$pattern"; then return 0; fi
        sleep 0.1
    done
    echo "screen was:" >&2; read_screen >&2
    fail "waited ${limit}s for: $pattern"
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

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A talk under openbox: the timer waits until a window goes full screen (an xterm, for the
# slide show), starts counting by itself, and with --overtime goes on past zero, -0:01 a
# second after it, with no message box.
# Usage: e2e_talk.sh /path/to/moriv
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/dbus.sh"
source "$here/../support/session.sh"
start_display 1024x768
source "$here/../support/screen.sh"
start_manager openbox

step "the timer waits while the xterm is a window"
background "$work/program.log" "$program" --minutes 1 --overtime --start-with-show
wait_screen '剩余 1 分 00 秒'
background "$work/xterm.log" xterm -title show
show=$(window '^show$')
steady 1 timer_line && on_screen '剩余 1 分 00 秒' || fail "the count started before the show"

step "the xterm goes full screen while the settings dialog is open: nothing starts till it closes"
"$program" --command settings
poll 5 xdotool search --onlyvisible --name '^自定义设置$' > /dev/null || fail "no settings dialog"
wmctrl -i -r "$show" -b add,fullscreen
steady 1.5 timer_line && on_screen '剩余 1 分 00 秒' || fail "the show started the count over the dialog"
focus_newest '^自定义设置$'
xdotool key Escape
poll 3 not xdotool search --onlyvisible --name '^自定义设置$' || fail "Escape did not close it"
wait_screen '剩余 0 分 59 秒' 3
started=$(now)

step "past zero it counts on: -0:01, and no message"
# The screen is read from 4 s before -0:01 is due, not all the minute: each reading takes a good
# part of a core from the tests beside this one. The name and the digits come from one reading.
rest 56
overtime() { shown=$(read_screen); [[ $shown == *'超时 0 分 1 秒'* ]]; }
poll 9 overtime || fail "waited 65s for 超时 0 分 1 秒; the screen was: $shown"
echo "   -0:01 $(since "$started") s after 0:59 was first read"
[[ $shown == *"|-0"* && $shown == *"|01"* ]] || fail "the digits do not read -0:01: $shown"
[ "$(read_screen | wc -l)" -eq 1 ] || fail "another window opened: $(read_screen)"
[ -z "${MORIV_E2E_SHOTS:-}" ] || import -window root "$MORIV_E2E_SHOTS/overtime.png"
echo "talk: all steps passed"

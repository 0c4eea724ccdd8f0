#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A talk under openbox: the timer waits until a window goes full screen (an xterm, for the
# slide show; the settings dialog open then stays above it), starts counting by itself, and with --overtime goes on past zero, -0:01 a
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
dialog=$(xdotool search --onlyvisible --name '^自定义设置$' | head -n1)
has_keys() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
poll 5 has_keys "$dialog" || fail "the dialog a command opened did not get the keyboard"
wmctrl -i -r "$show" -b add,fullscreen
# The show takes the keyboard, as one that starts does: the window manager stacks a focused
# full-screen window above every other, unless the dialog is lifted above it.
activated() { xdotool windowactivate "$show" 2>/dev/null; has_keys "$show"; }
poll 5 activated || fail "the show did not get the keyboard"
# The frames of the windows the window manager manages, bottom to top.
stacking() { xprop -root -notype _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*'; }
above_show() {
    local ids; ids=$(for id in $(stacking); do echo -n " $((id)) "; done)
    [[ $ids == *" $show "*" $dialog "* ]]
}
poll 5 above_show || fail "the dialog is under the show: $(stacking | tr '\n' ' ')"
has_keys "$show" || fail "the dialog took the keyboard from the show"
steady 1.5 timer_line && on_screen '剩余 1 分 00 秒' || fail "the show started the count over the dialog"
[ -z "${MORIV_E2E_SHOTS:-}" ] || import -window root "$MORIV_E2E_SHOTS/dialog-over-show.png"
# A click on the dialog gives it the keyboard; Escape closes it.
read -r dialog_X dialog_Y dialog_WIDTH _ < <(place_of "$dialog")
xdotool mousemove $((dialog_X + dialog_WIDTH / 2)) $((dialog_Y + 5)) click 1
poll 5 has_keys "$dialog" || fail "the click did not focus it"
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

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The timer as a Wayland desktop's shortcuts drive it: through `moriv --command` while another
# window keeps the keyboard. Its window is 32-bit and shows no black around the digits.
# Usage: e2e_commands.sh /path/to/moriv /path/to/e2e_slideshow openbox|none
set -euo pipefail

program=$(readlink -f "$1")
slideshow=$(readlink -f "$2")
manager=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/dbus.sh"
source "$here/../support/session.sh"
source "$here/../support/pixels.sh"
start_display 1024x768
source "$here/../support/screen.sh"

command_status() {
    local status=0
    "$program" --command "$1" 2>> "$work/command.log" || status=$?
    echo "$status"
}
clean_pixels() {
    read_area "$area"
    red=$(count '#FF0000') black=$(count '#000000')
    [ "$red" -gt 100 ] && [ "$black" -eq 0 ]
}
# Red digits and no black in the timer's rectangle, once it has painted.
check_pixels() {
    poll 5 clean_pixels || true
    echo "   $1: $red red, $black black pixels in the timer's rectangle"
    [ "$red" -gt 100 ] || fail "$1: no red digits"
    [ "$black" -eq 0 ] || fail "$1: black shows around the digits"
}
focused() { xdotool getwindowfocus getwindowname 2>/dev/null || true; }
focused_on() { [ "$(focused)" = "$1" ]; }
# Under openbox the slide show must still have the keyboard.
show_keeps_keys() {
    [ "$manager" = none ] || [ "$(focused)" = "slide show" ] || fail "the focus left the slide show"
}

if [ "$manager" = openbox ]; then
    start_manager openbox
    step "openbox: a slide show holds the keyboard; the timer opens without taking it"
    background "$work/slideshow.log" "$slideshow"
    window '^slide show$' > /dev/null
    poll 5 focused_on "slide show" || fail "the slide show does not have the focus"
else
    step "no window manager, over a white desktop"
fi

background "$work/program.log" "$program"
program_pid=$last_pid
timer=$(window '^Moriv$')
xsetroot -solid white
eval "$(xdotool getwindowgeometry --shell "$timer")"
area="${WIDTH}x${HEIGHT}+${X}+${Y}"
wait_screen '剩余 3 分 00 秒'
depth=$(xwininfo -id "$timer" | sed -n 's/^ *Depth: //p')
echo "   timer window $timer at $area, depth $depth"
[ "$depth" = 32 ] || fail "the timer window has depth $depth, not 32"
check_pixels "idle"
show_keeps_keys

step "--command start counts"
[ "$(command_status start)" = 0 ] || fail "--command start: $(cat "$work/command.log")"
wait_screen '剩余 2 分 5[0-9] 秒' 4
check_pixels "counting"
show_keeps_keys

step "garbage and an oversized message to the socket change nothing"
sockets=("$XDG_RUNTIME_DIR"/moriv-command-*)
python3 - "${sockets[0]}" <<'PY'
import socket, sys
for message in (b"\x00\xffgarbage\n", b"s" * 1000000):
    peer = socket.socket(socket.AF_UNIX)
    peer.connect(sys.argv[1])
    try:
        peer.sendall(message)
        print("   answer:", peer.recv(64))
    except OSError as error:
        print("   dropped:", error)
    peer.close()
PY
before=$(timer_line)
moved() { [ "$(timer_line)" != "$before" ]; }
poll 3 moved || fail "the count stopped after the garbage"

step "--command pause pauses"
[ "$(command_status pause)" = 0 ] || fail "--command pause failed"
steady 1.5 timer_line || fail "--command pause did not pause"
show_keeps_keys

step "--command reset asks"
[ "$(command_status reset)" = 0 ] || fail "--command reset failed"
wait_screen '您是否真的要重置时间'
poll 5 focused_on "提示" || fail "the question has no focus"
xdotool key Return
wait_screen '剩余 3 分 00 秒' 5

step "two timers: the newest answers; ending the older or killing a newer cuts off neither"
background "$work/second.log" "$program" --minutes 7
second_pid=$last_pid
wait_screen '剩余 7 分 00 秒' 5
stop "$program_pid" # SIGTERM ends the timer as closing it does
[ "$(command_status start)" = 0 ] || fail "the second timer cannot be reached"
wait_screen '剩余 6 分 5[0-9] 秒' 4
background "$work/third.log" "$program" --minutes 5
wait_screen '剩余 5 分 00 秒' 5
kill -KILL "$last_pid"
[ "$(command_status pause)" = 0 ] || fail "a killed timer cut off the second"
steady 1.5 timer_line && on_screen '剩余 6 分' || fail "--command pause did not reach the second"

step "nohup: a timer whose terminal closes goes on"
background "$work/nohup.log" nohup "$program" --minutes 4
nohup_pid=$last_pid
wait_screen '剩余 4 分 00 秒' 5
kill -HUP "$nohup_pid"
! poll 2 gone "$nohup_pid" || fail "SIGHUP ended a timer started with nohup"
[ "$(command_status start)" = 0 ] && wait_screen '剩余 3 分 5[0-9] 秒' 4

step "quit with the question open: answered No, the timer ends with status 0"
[ "$(command_status reset)" = 0 ] && wait_screen '您是否真的要重置时间'
[ "$(command_status quit)" = 0 ] || fail "--command quit was not taken"
poll 5 gone "$nohup_pid" || fail "quit did not end the timer"
status=0 && wait "$nohup_pid" || status=$?
[ "$status" = 0 ] || fail "the timer ended with status $status"

step "usage errors and no timer"
[ "$(command_status fly)" = 2 ] || fail "--command fly did not exit 2"
stop "$second_pid"
sockets=("$XDG_RUNTIME_DIR"/moriv-command*)
[ ! -e "${sockets[0]}" ] || fail "a command socket outlived its timer: ${sockets[*]}"
[ "$(command_status start)" = 1 ] || fail "--command start with no timer did not exit 1"
grep -q '没有正在运行的计时器' "$work/command.log" || fail "no message that no timer runs"
# One language for the whole command line: English under an English locale.
english=$(LC_ALL=en_GB.UTF-8 "$program" --command start 2>&1) || true
grep -qx 'moriv: no timer is running' <<< "$english" && ! grep -q '计时器' <<< "$english" \
    || fail "under en_GB: $english"
echo "commands ($manager): all steps passed"

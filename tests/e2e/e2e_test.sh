#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Uses the real program as a speaker would: a real X server (Xvfb), real key presses
# (xdotool), and what is shown read back through the accessibility tree (AT-SPI).
# Usage: e2e_test.sh /path/to/moriv
set -euo pipefail

program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)

source "$here/../support/dbus.sh"

source "$here/../support/session.sh"
start_display 1280x800
step "display $DISPLAY"

source "$here/../support/screen.sh"

step "first start writes the default settings file"
"$program" > "$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
timer=$(window '^Moriv$')
[ -n "$timer" ] || fail "no timer window"
wait_screen '剩余 3 分 00 秒'
expected=$(printf '\xb5\xb9\xbc\xc6\xca\xb1\xb1\xea\xcc\xe2\r\n 3 \r\n' | od -An -tx1)
actual=$(od -An -tx1 "$XDG_CONFIG_HOME/MorivTemp/sys.txt")
[ "$expected" = "$actual" ] || fail "settings file is $actual"

step "upper-case A does nothing"
focus "$timer"
xdotool type --delay 50 'A'
steady 2 timer_line || fail "A changed the display: $(timer_line)"
timer_line | grep -q '剩余 3 分 00 秒' || fail "A changed the display: $(timer_line)"

step "f opens the settings; one minute is saved"
xdotool type 'f'
wait_screen 'text:设置倒计时时间(分钟)'
focus_newest '^自定义设置$'
xdotool key Tab ctrl+a
xdotool type '1'
xdotool key Return
wait_screen '倒计时时间已修改'
focus_newest '^Moriv$'
xdotool key Return
wait_screen '剩余 1 分 00 秒'
grep -q $'\r\n1\r\n' "$XDG_CONFIG_HOME/MorivTemp/sys.txt" || fail "minutes not saved"

step "a starts the count"
focus "$timer"
# Time-up is watched from the key press on, by the window the message opens: the timer's
# screen is read through the accessibility tree, too slowly to time a second with.
message_open() {
    [ "$(xdotool search --all --onlyvisible --pid "$program_pid" --name '^Moriv$' 2>/dev/null \
         | wc -l)" -ge 2 ]
}
xdotool type 'a'
started=$(now)
# Looked for from 55 s on, which leaves the cores to the tests beside this one meanwhile; a
# message before then is seen at 55 s, too early all the same.
( rest 55 && poll 120 message_open && now > "$work/time-up" ) &
pids+=($!)
wait_screen '剩余 0 分 5[0-9] 秒' 5

step "s pauses, a resumes"
xdotool type 's'
paused=$(now)
steady 2 timer_line || fail "the count went on while paused"
xdotool type 'a'
pause_length=$(since "$paused")
wait_screen '剩余 0 分 [1-4][0-9] 秒' 15

step "d answered No keeps counting"
xdotool type 'd'
wait_screen '您是否真的要重置时间'
focus_newest '^提示$'
xdotool key Escape
focus "$timer"
wait_screen '剩余 0 分 [0-4][0-9] 秒' 12

step "the count runs out at 60 s"
# The message's window is watched already: the screen is read once it has opened, not all the
# while (each reading takes a good part of a core from the tests beside this one).
poll 70 test -s "$work/time-up" || fail "no window for the time-up message"
wait_screen '倒计时时间到' 10
elapsed=$(awk -v a="$(cat "$work/time-up")" -v b="$started" -v p="$pause_length" \
              'BEGIN { printf "%.2f", a - b - p }')
echo "   time-up after $elapsed s of counting (paused for $pause_length s)"
# Never early; the upper bound allows for the polling, the exact minute is the unit tests'.
awk -v e="$elapsed" 'BEGIN { exit !(e > 59.5 && e < 62.5) }' || fail "time-up after $elapsed s"
timer_line | grep -q '剩余 00 分 00 秒' || fail "display at time-up: $(timer_line)"

step "Return dismisses the message and the program ends with status 0"
focus_newest '^Moriv$'
xdotool key Return
status=0
poll 10 gone "$program_pid" || fail "program still running"
wait "$program_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
echo "end-to-end: all steps passed"

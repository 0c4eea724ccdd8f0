#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under real faults: no display at all, and settings files it cannot use (a
# folder, a FIFO with no writer, a link to /dev/zero) on a real X server.
# Usage: e2e_faults.sh /path/to/moriv
set -euo pipefail

program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/dbus.sh"
source "$here/../support/session.sh"

step "no display: Qt's reason, then our advice as the last line, and status 1"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY "$program" > "$work/nodisplay.log" 2>&1 || status=$?
cat "$work/nodisplay.log"
[ "$status" -eq 1 ] || fail "exit status $status without a display"
grep -q 'could not connect to display' "$work/nodisplay.log" || fail "Qt's reason is missing"
tail -n1 "$work/nodisplay.log" | grep -q 'no display could be opened.*set DISPLAY' || fail "advice"
! grep -qi 'reinstall' "$work/nodisplay.log" || fail "Qt's advice to reinstall is shown"
! grep -q 'xcb-cursor0\|even though it was found' "$work/nodisplay.log" \
    || fail "Qt's general plugin advice is shown"

start_display 1024x768
step "another platform plugin (offscreen): no X11 shortcuts, no crash; SIGTERM ends it cleanly"
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$program" > "$work/offscreen.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 124 ] || fail "offscreen: exit $status"

source "$here/../support/screen.sh"
settings="$XDG_CONFIG_HOME/MorivTemp/sys.txt"

for kind in folder fifo zero; do
    step "sys.txt is a $kind: the message comes, the count is not touched"
    rm -rf "$XDG_CONFIG_HOME" && mkdir -p "$(dirname "$settings")"
    case $kind in
        folder) mkdir "$settings" ;;
        fifo) mkfifo "$settings" ;;
        zero) ln -s /dev/zero "$settings" ;;
    esac
    started=$(now)
    background "$work/program.log" "$program"
    program_pid=$last_pid
    wait_screen '无法使用设置文件' 10
    echo "   message after $(since "$started") s"
    if [ "$kind" = folder ]; then
        # Nothing counts while the message waits for its OK.
        steady 3 timer_line || fail "the count moved behind the start-up message"
        read_screen | grep -q '倒计时时间到' && fail "time-up behind the start-up message"
        timer_line | grep -q '剩余 3 分 00 秒' || fail "display: $(timer_line)"
        step "OK, then a counts the default 3 minutes"
        focus_newest '^Moriv$'
        xdotool key Return
        focus "$(xdotool search --onlyvisible --name '^Moriv$' | sort -n | head -n1)"
        xdotool type 'a'
        wait_screen '剩余 2 分 5[0-9] 秒' 4
        xdotool type 's'
        steady 1.5 timer_line || fail "s did not pause"
    fi
    stop "$program_pid"

    [ "$kind" != fifo ] || [ -p "$settings" ] || fail "the FIFO was replaced"
    [ "$kind" != zero ] || [ -L "$settings" ] || fail "the link was replaced"
done
step "on an English desktop the same message and the timer are English"
rm -rf "$XDG_CONFIG_HOME" && mkdir -p "$settings"
LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 background "$work/program.log" "$program"
wait_screen 'Cannot use the settings file .*: it is a folder' 10
wait_screen '3 min 00 s left' 5
echo "faults: all steps passed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The timer on a Wayland desktop: a headless sway with XWayland, a native Wayland slide show full
# screen with the keyboard. The show keeps the keyboard when the timer opens; the desktop's
# shortcuts reach the timer as `moriv --command`; a question a command opens behind the show
# gives up after 20 s, and a command meanwhile exits 3.
# Usage: e2e_sway.sh /path/to/moriv /path/to/e2e_slideshow [overlay]
#   overlay: the timer is on the overlay layer (built with LayerShellQt), whose input region is
#   the digits' cells: a click beside them reaches the show, a right-click in one opens the menu.
set -euo pipefail
# sway runs as an ordinary user: as root, the script runs again as nobody, on copies of the
# scripts and programs that nobody may read wherever the clone is (a private home, say).
if [ "$(id -u)" -eq 0 ]; then
    copy=$(mktemp -d -p /tmp)
    trap 'rm -rf "$copy"' EXIT
    tests=$(cd "$(dirname "$0")/.." && pwd)
    cp -r "$tests" "$copy/tests" && cp "$1" "$copy/moriv" && cp "$2" "$copy/e2e_slideshow"
    # The sanitizers' suppressions (tests/lsan.supp) are read from the copy too.
    [ -z "${LSAN_OPTIONS:-}" ] || export LSAN_OPTIONS=${LSAN_OPTIONS//"$tests"/"$copy/tests"}
    chmod -R a+rX "$copy"
    setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp TMPDIR=/tmp \
        bash "$copy/tests/e2e/$(basename "$0")" "$copy/moriv" "$copy/e2e_slideshow" "${@:3}"
    exit
fi
program=$(readlink -f "$1")
slideshow=$(readlink -f "$2")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/dbus.sh"
source "$here/../support/session.sh"
source "$here/../support/pixels.sh"

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
printf '%s\n' 'output HEADLESS-1 mode 1280x720' 'xwayland enable' \
    "exec env > $work/env.part && mv $work/env.part $work/sway.env" > "$work/sway.config"
step "a headless sway with XWayland"
# Without shared memory sway and its clients cannot share buffers (sway 1.10 crashes).
[ -w /dev/shm ] || fail "/dev/shm cannot be written; sway needs it"
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    background "$work/sway.log" sway -c "$work/sway.config"
poll 15 test -s "$work/sway.env" || fail "sway did not start: $(tail -n5 "$work/sway.log")"
grep -q ^DISPLAY= "$work/sway.env" || fail "XWayland has no display: $(tail -n5 "$work/sway.log")"
export "$(grep ^WAYLAND_DISPLAY= "$work/sway.env")" "$(grep ^DISPLAY= "$work/sway.env")" \
       "$(grep ^SWAYSOCK= "$work/sway.env")"
source "$here/../support/screen.sh"

# Each wtype is a keyboard of its own with its own key map: a key typed before the show has
# taken the map is lost (four in five without -s), so wtype waits 200 ms before it types.
typed_and_seen() { wtype -s 200 "$1" && poll 1 grep -qx "key $1" "$work/slideshow.log"; }
keys_reach_show() { typed_and_seen "$1" || typed_and_seen "$1" || typed_and_seen "$1"; }
# A keyboard that comes or goes gives the keyboard back to the focused window, which would hide
# a window that took it: one keyboard stays, as a real one does, and the show's activation says
# where the keyboard is.
activation() { grep -E '^(in)?active$' "$work/slideshow.log" | tail -n1; }
show_is_active() { [ "$(activation)" = active ]; }
command_status() { local s=0; "$program" --command "$1" 2> "$work/command.log" || s=$?; echo $s; }

step "a full-screen Wayland slide show has the keyboard"
background "$work/keyboard.log" wtype -s 600000 q # a keyboard that stays; it never types
QT_QPA_PLATFORM=wayland background "$work/slideshow.log" "$slideshow"
poll 10 show_is_active && keys_reach_show x || fail "the slide show does not have the keyboard"

step "the timer opens over it; the show keeps the keyboard"
background "$work/program.log" "$program"
wait_screen '剩余 3 分 00 秒' 20
steady 1.5 activation && show_is_active || fail "the slide show lost the keyboard to the timer"
keys_reach_show y || fail "keys do not reach the slide show"
grim "$work/shot.png"
red=$(convert "$work/shot.png" -alpha off -fill black +opaque '#FF0000' -format %c \
      histogram:info:- | sed -n 's/^ *\([0-9]*\):.*#FF0000.*/\1/p')
echo "   ${red:=0} red pixels over the slide show"
[ "$red" -gt 100 ] || fail "the digits are not over the slide show"

if [ "${3:-}" = overlay ]; then
    step "on the overlay layer: no window of sway's; a click beside the digits reaches the show,"\
         "one in the hollow of a 0 the timer takes and keeps the show's keyboard"
    ! swaymsg -t get_tree | grep -q '"name": "Moriv"' || fail "the timer is a window of sway's"
    convert "$work/shot.png" -alpha off -depth 8 txt:- > "$work/area.txt"
    cells_read > "$work/cells"
    [ "$(wc -l < "$work/cells")" -ge 3 ] || fail "no digits in the screenshot"
    read -r left right top bottom < <(tail -n2 "$work/cells" | head -n1)
    x=$(( (left + right) / 2 )) y=$(( (top + bottom) / 2 ))
    # sway's headless seat has no pointer: a VNC server's virtual one clicks, first beside the
    # timer, where the show must get it, then on the digits. It listens on a socket of this
    # script's, not on a port another test could hold.
    background "$work/wayvnc.log" wayvnc --unix-socket "$work/vnc"
    clicked() {
        python3 "$here/../support/vncclick.py" "$work/vnc" "$1" "$2" 2> /dev/null \
            && poll 1 grep -qx "click $1 $2" "$work/slideshow.log"
    }
    poll 8 clicked 600 400 || fail "no click reaches the show: $(cat "$work/wayvnc.log")"
    not clicked "$x" "$y" || fail "the click in the hollow of a 0 went through to the show"
    show_is_active && keys_reach_show v || fail "the slide show lost the keyboard to the click"
    step "a right-click there opens the timer's menu"
    python3 "$here/../support/vncclick.py" "$work/vnc" "$x" "$y" 3 2> /dev/null
    menu_shown() { grim "$work/menu.png"; [ "$(compare -metric AE "$work/shot.png" \
                       "$work/menu.png" null: 2>&1 | cut -d' ' -f1)" -gt 20000 ]; }
    poll 5 menu_shown || fail "no menu on screen"
    [ -z "${MORIV_E2E_SHOTS:-}" ] || cp "$work/menu.png" "$MORIV_E2E_SHOTS/sway-menu.png"
    python3 "$here/../support/vncclick.py" "$work/vnc" 600 700 2> /dev/null
    poll 5 not menu_shown || fail "a click beside it did not close the menu"
fi

step "--command start counts, pause pauses"
[ "$(command_status start)" -eq 0 ] || fail "start: $(cat "$work/command.log")"
wait_screen '剩余 2 分 5[0-9] 秒' 5
[ "$(command_status pause)" -eq 0 ] || fail "pause: $(cat "$work/command.log")"
poll 3 steady 1.5 timer_line || fail "the count did not pause"

step "--command reset opens the question; a command meanwhile exits 3; it gives up after 20 s"
[ "$(command_status reset)" -eq 0 ] || fail "reset: $(cat "$work/command.log")"
asked=$(now)
wait_screen '您是否真的要重置时间' 5
status=$(command_status start)
cat "$work/command.log"
[ "$status" -eq 3 ] || fail "a command while the question is open exited $status"
poll 25 not on_screen '您是否真的要重置时间' || fail "the question did not give up"
waited=$(since "$asked")
echo "   the question gave up after $waited s"
awk -v w="$waited" 'BEGIN { exit !(w >= 19.5 && w < 23) }' || fail "gave up after $waited s"
on_screen '剩余 2 分 5[0-9] 秒' || fail "the unanswered question reset the count"
show_is_active && keys_reach_show z || fail "the slide show lost the keyboard after the question"
[ "$(command_status start)" -eq 0 ] || fail "start after the question: $(cat "$work/command.log")"

step "the digits match a clean XWayland rendering at each moment: first tick, pause, more, less"
[ "$(command_status quit)" -eq 0 ] || fail "quit: $(cat "$work/command.log")"
# The reference goes through XWayland, which draws every frame into one buffer.
shoot() { grim "$1"; }
source "$here/../support/cleandigits.sh"
background "$work/subject.log" "$program" --minutes 3 --no-global-keys --corner top-left
QT_QPA_PLATFORM=xcb reference background "$work/reference.log" "$program" --minutes 3 \
    --no-global-keys --corner top-right
compare_moments
echo "e2e_sway: all checks passed"

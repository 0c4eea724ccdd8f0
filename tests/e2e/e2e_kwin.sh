#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The timer on KDE Plasma 6: a headless KWin with the desktop's shortcuts portal and a native
# Wayland slide show full screen with the keyboard. The timer binds Ctrl+Alt+A, S, D and F once,
# under its desktop file's id; KWin's own keyboard presses them while the show keeps the keys;
# a second start finds them bound and binds nothing, so no settings page opens at each start.
# Usage: e2e_kwin.sh /path/to/moriv /path/to/e2e_slideshow /path/to/e2e_kwininput
set -euo pipefail
program=$(readlink -f "$1")
slideshow=$(readlink -f "$2")
here=$(cd "$(dirname "$0")" && pwd)
# The desktop's own portals, KDE's among them, start on this bus.
MORIV_E2E_PORTALS=1 source "$here/../support/dbus.sh"
source "$here/../support/session.sh"
[ -x "$3" ] || fail "no e2e_kwininput: the build found no plasma-wayland-protocols"
input=$(readlink -f "$3")

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/data"
# As startplasma sets up a session: without the menu prefix KDE's launcher cannot find System
# Settings and shows an error window instead.
export XDG_CURRENT_DESKTOP=KDE XDG_MENU_PREFIX=plasma- KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 \
       WAYLAND_DISPLAY=moriv-kwin
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME/applications" && chmod 700 "$XDG_RUNTIME_DIR"
unset DISPLAY QT_QPA_PLATFORM
# The portals start on this bus with this desktop; the document portal mounts a folder in the
# runtime folder, which has to be unmounted before it can be removed.
dbus-update-activation-environment WAYLAND_DISPLAY XDG_CURRENT_DESKTOP XDG_MENU_PREFIX \
    XDG_CONFIG_HOME XDG_DATA_HOME XDG_RUNTIME_DIR QT_QPA_PLATFORM=wayland
trap 'status=$?; umount -l "$XDG_RUNTIME_DIR/doc" 2> /dev/null; session_cleanup $status' EXIT
# The portal takes the id of a host program only from a desktop file that starts it.
sed "s|^Exec=.*|Exec=$program|" "$here/../../assets/org.moriv.Moriv.desktop" \
    > "$XDG_DATA_HOME/applications/org.moriv.Moriv.desktop"
step "a headless KWin 6 and its shortcuts portal"
background "$work/kwin.log" kwin_wayland --virtual --no-lockscreen --socket "$WAYLAND_DISPLAY" \
    --width 1280 --height 720
poll 15 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" \
    || fail "KWin did not start: $(tail "$work/kwin.log")"
background "$work/calls.log" dbus-monitor --session \
    "interface='org.freedesktop.portal.GlobalShortcuts'"
source "$here/../support/screen.sh"
binds() { grep -c 'member=BindShortcuts' "$work/calls.log" || true; }
# key NAME: KWin's keyboard presses Ctrl+Alt+NAME (a s) or NAME alone (x y z).
key() {
    declare -A code=([a]=30 [s]=31 [x]=45 [y]=21 [z]=44)
    case $1 in [as]) "$input" 29 56 "${code[$1]}" ;; *) "$input" "${code[$1]}" ;; esac
}
show_has_keys() { key "$1" && poll 1 grep -qx "key $1" "$work/slideshow.log"; }
# The desktop's own windows that this session's portal opened (their runtime folder is ours): at
# the first bind Plasma opens System Settings on its shortcuts page (or KIO's error window).
desktop_windows() {
    local pid
    for pid in $(pgrep -x 'systemsettings|kioclient|kcmshell6'); do
        tr '\0' '\n' < "/proc/$pid/environ" 2> /dev/null \
            | grep -qx "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR" && echo "$pid"
    done
}
# keys_stay_with_show KEY: the show has the keyboard; where the desktop's first-bind window took
# it, that window is named and closed, and the show must have the keyboard back.
keys_stay_with_show() {
    show_has_keys "$1" && return 0
    local opened
    opened=$(desktop_windows)
    [ -n "$opened" ] || fail "the slide show lost the keyboard to the timer"
    echo "   the desktop's own window took the keyboard: $(ps -o comm= -p "$opened" | head -n1)"
    # shellcheck disable=SC2086 # one PID a word
    stop $opened
    poll 5 show_has_keys "$1" || fail "the slide show did not get the keyboard back"
}

step "a full-screen Wayland slide show has the keyboard"
QT_QPA_PLATFORM=wayland background "$work/slideshow.log" "$slideshow"
poll 10 show_has_keys x || fail "the slide show does not have the keyboard"

step "the timer binds its four shortcuts under its id; Ctrl+Alt+A counts, the show keeps the keys"
background "$work/program.log" "$program"
program_pid=$last_pid
wait_screen '剩余 3 分 00 秒' 20
poll 10 test "$(binds)" -eq 1 || fail "no shortcuts bound: $(cat "$work/program.log")"
shortcuts=$(gdbus call --session --dest org.kde.kglobalaccel --object-path \
    /component/org_moriv_Moriv --method org.kde.kglobalaccel.Component.shortcutNames)
for name in start pause reset settings more less; do
    [[ $shortcuts == *"'$name'"* ]] || fail "KWin has no $name of org.moriv.Moriv: $shortcuts"
done
key a
wait_screen '剩余 2 分 5[0-9] 秒' 5
keys_stay_with_show y
[ ! -s "$work/program.log" ] || fail "the timer said: $(cat "$work/program.log")"
stop "$program_pid"

step "a second start binds nothing; Ctrl+Alt+A and Ctrl+Alt+S work"
background "$work/program.log" "$program"
wait_screen '剩余 3 分 00 秒' 20
poll 10 grep -q 'member=ListShortcuts' <(sed -n '/member=BindShortcuts/,$p' "$work/calls.log") \
    || fail "the second start did not ask what is bound"
key a
wait_screen '剩余 2 分 5[0-9] 秒' 5
key s
poll 3 steady 1.5 timer_line || fail "Ctrl+Alt+S did not pause"
[ "$(binds)" -eq 1 ] || fail "the second start bound again"
keys_stay_with_show z

step "the overlay's digits match a clean X11 rendering: at the first tick, paused, more, less"
"$program" --command quit
# The headless KWin gives no pictures; one drawing into an Xvfb window does. The reference, top
# right: the same program as an X11 client above that window, with a command socket of its own.
start_display 1280x720
export WAYLAND_DISPLAY=moriv-kwin-x11 QT_QPA_PLATFORM=wayland
background "$work/kwin-x11.log" kwin_wayland --x11-display "$DISPLAY" --no-lockscreen \
    --socket "$WAYLAND_DISPLAY" --width 1280 --height 720
poll 15 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "no KWin: $(tail "$work/kwin-x11.log")"
background "$work/show-x11.log" "$slideshow"
background "$work/subject.log" "$program" --minutes 3 --no-global-keys --corner top-left
shoot() { import -window root "$1"; }
source "$here/../support/cleandigits.sh"
QT_QPA_PLATFORM=xcb reference background "$work/reference.log" "$program" --minutes 3 \
    --no-global-keys --corner top-right
compare_moments
echo "e2e_kwin: all checks passed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Ctrl+Alt shortcuts through the desktop's GlobalShortcuts portal, as on a Wayland session
# of KDE: a stand-in portal on a private session bus takes the six shortcuts, and its Activated
# signal starts and pauses the count; the portal session is closed when the timer ends, and a
# second start binds nothing again.
# Usage: e2e_portal.sh /path/to/moriv
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/dbus.sh"
source "$here/../support/session.sh"
start_display 1024x768
source "$here/../support/screen.sh"

background "$work/portal.log" /usr/bin/python3 "$here/portal.py"
portal_pid=$last_pid
poll 10 grep -q ready "$work/portal.log" || fail "the stand-in portal did not start"
activate() {
    gdbus call --session --dest org.freedesktop.portal.Desktop \
        --object-path /org/freedesktop/portal/desktop --method org.moriv.PortalStandIn.Activate \
        "$1" "${2:-osta{sv\}}" > /dev/null
}

step "on a Wayland session the timer binds its six shortcuts through the portal"
XDG_SESSION_TYPE=wayland background "$work/program.log" "$program"
program_pid=$last_pid
wait_screen '剩余 3 分 00 秒' 20
poll 10 grep -q '^bound' "$work/portal.log" || fail "no shortcuts bound: $(cat "$work/program.log")"
all='start=CTRL+ALT+a pause=CTRL+ALT+s reset=CTRL+ALT+d settings=CTRL+ALT+f'
grep -qx "bound $all more=CTRL+ALT+Page_Up less=CTRL+ALT+Page_Down" \
    "$work/portal.log" || fail "bound: $(grep '^bound' "$work/portal.log")"

! grep -q 'did not bind' "$work/program.log" || fail "$(cat "$work/program.log")"

step "Activated start counts, Activated pause pauses"
activate start
wait_screen '剩余 2 分 5[0-9] 秒' 5
activate pause
poll 3 steady 1.5 timer_line || fail "the count did not pause"
for signature in 'osta{sv}s' ost 'osua{sv}' os 'ssta{sv}'; do activate start "$signature"; done
steady 1.5 timer_line || fail "an Activated signal with another signature started the count"

grep -qx 'registered org.moriv.Moriv' "$work/portal.log" || fail "no app id registered"

step "the portal session is closed at exit"
stop "$program_pid"
grep -qx closed "$work/portal.log" || fail "the portal session was left open"

step "a second start finds the six shortcuts bound and binds nothing again"
XDG_SESSION_TYPE=wayland background "$work/program.log" "$program"
wait_screen '剩余 3 分 00 秒' 20
poll 10 grep -qx 'listed 6' "$work/portal.log" || fail "not listed: $(cat "$work/portal.log")"
activate start
wait_screen '剩余 2 分 5[0-9] 秒' 5
[ "$(grep -c '^bound' "$work/portal.log")" -eq 1 ] || fail "bound again: $(cat "$work/portal.log")"
stop "$last_pid"
step "a portal that binds nothing (Plasma 5.27): one line says so, the X key grabs stay"
stop "$portal_pid"
BIND_NONE=1 background "$work/portal.log" /usr/bin/python3 "$here/portal.py"
poll 10 grep -q ready "$work/portal.log" || fail "the stand-in portal did not start again"
XDG_SESSION_TYPE=wayland background "$work/program.log" "$program"
wait_screen '剩余 3 分 00 秒' 20
poll 10 grep -q 'did not bind Ctrl+Alt+A, Ctrl+Alt+S' "$work/program.log" || fail "no line"
xdotool key ctrl+alt+a
wait_screen '剩余 2 分 5[0-9] 秒' 5
echo "portal: all steps passed"

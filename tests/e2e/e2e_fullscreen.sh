#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The timer stays visible and usable over a focused full-screen slide show that keeps raising
# itself, under a real window manager (openbox), on a display of its own.
# Usage: e2e_fullscreen.sh /path/to/moriv /path/to/e2e_slideshow
set -euo pipefail

program=$(readlink -f "$1")
slideshow=$(readlink -f "$2")
source "$(dirname "$0")/../support/dbus.sh"
source "$(dirname "$0")/../support/session.sh"
source "$(dirname "$0")/../support/pixels.sh"
start_display 1024x768

start_manager openbox

background "$work/program.log" "$program"
timer=$(window '^Moriv$')
eval "$(xdotool getwindowgeometry --shell "$timer")"
area="${WIDTH}x${HEIGHT}+${X}+${Y}"
echo "   timer window $timer at $area"

background "$work/slideshow.log" "$slideshow"

over_slides() {
    read_area "$area"
    red=$(count '#FF0000') slide=$(count '#285AC8')
    [ "$red" -gt 100 ] && [ "$slide" -gt 100 ]
}

step "the slide show is focused and full screen"
focused_show() { [ "$(xdotool getwindowfocus getwindowname)" = "slide show" ]; }
poll 10 focused_show || fail "slide show not focused"
poll 10 covers_screen "slide show" || fail "the slide show is not full screen"
step "the digits stay on top while it raises itself, every 250 ms"
poll 5 over_slides || fail "digits hidden: $red red, $slide slide pixels"
shown=$(now) looks=0
while [ "$(since "$shown" | cut -d. -f1)" -lt 3 ]; do
    # The show raises itself last now and then: the timer must be back on top within a second.
    poll 1 over_slides || fail "digits hidden: $red red, $slide slide pixels"
    looks=$((looks + 1))
done
echo "   $looks looks in 3 s, each with the digits over the slides ($red red, $slide slide px)"

step "clicking a digit takes the keys; a starts the count"
read_area "$area"
pixel=$(grep -i '#FF0000' "$work/area.txt" | sed -n '20p' | cut -d: -f1)
xdotool mousemove $((X + ${pixel%,*})) $((Y + ${pixel#*,})) click 1
focused_timer() { [ "$(xdotool getwindowfocus getwindowname)" = "Moriv" ]; }
poll 5 focused_timer || fail "the timer did not take the focus"
import -window root -crop "$area" "$work/before.png"
xdotool type a
counted() {
    import -window root -crop "$area" "$work/after.png"
    changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
    [ "${changed%% *}" -gt 50 ]
}
poll 5 counted || true
echo "   $changed pixels changed"
[ "${changed%% *}" -gt 50 ] || fail "the digits did not change"
[ "$(red_pixels "$area")" -gt 100 ] || fail "digits hidden after start"
echo "full screen: all steps passed"

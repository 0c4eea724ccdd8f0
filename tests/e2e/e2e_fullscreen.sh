#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The timer stays visible and usable over a focused full-screen slide show that keeps raising
# itself, under a real window manager (openbox), on a display of its own.
# Usage: e2e_fullscreen.sh /path/to/moriv /path/to/e2e_slideshow
set -euo pipefail

program=$(readlink -f "$1")
slideshow=$(readlink -f "$2")
source "$(dirname "$0")/../support/session.sh"
start_display 1024x768

background "$work/openbox.log" openbox --sm-disable
sleep 1

background "$work/program.log" "$program"
timer=$(xdotool search --sync --onlyvisible --name '^Moriv$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$timer")"
area="${WIDTH}x${HEIGHT}+${X}+${Y}"
echo "   timer window $timer at $area"

background "$work/slideshow.log" "$slideshow"
xdotool search --sync --onlyvisible --name '^slide show$' > /dev/null
sleep 2

red_pixels() { import -window root -crop "$area" -depth 8 txt:- | grep -ci "#FF0000" || true; }
slide_pixels() { import -window root -crop "$area" -depth 8 txt:- | grep -ci '#285AC8' || true; }

step "the slide show is focused and full screen"
[ "$(xdotool getwindowfocus getwindowname)" = "slide show" ] || fail "slide show not focused"
step "the digits stay on top while it raises itself"
for second in 1 2 3; do
    red=$(red_pixels)
    echo "   after ${second} s: $red red pixels, $(slide_pixels) slide pixels in the timer's area"
    [ "$red" -gt 100 ] || fail "digits hidden: $red red pixels"
    [ "$(slide_pixels)" -gt 100 ] || fail "the black background is not keyed out"
    sleep 1
done

step "clicking a digit takes the keys; a starts the count"
pixel=$(import -window root -crop "$area" -depth 8 txt:- | grep -i '#FF0000' | sed -n '20p' | cut -d: -f1)
xdotool mousemove $((X + ${pixel%,*})) $((Y + ${pixel#*,})) click 1
sleep 0.5
[ "$(xdotool getwindowfocus getwindowname)" = "Moriv" ] || fail "the timer did not take the focus"
import -window root -crop "$area" "$work/before.png"
xdotool type a
sleep 2.5
import -window root -crop "$area" "$work/after.png"
changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
echo "   $changed pixels changed"
[ "${changed%% *}" -gt 50 ] || fail "the digits did not change"
[ "$(red_pixels)" -gt 100 ] || fail "digits hidden after start"
echo "full screen: all steps passed"

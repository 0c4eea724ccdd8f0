#!/usr/bin/env bash
# The timer stays visible and usable over a focused full-screen slide show that keeps raising
# itself, under a real window manager (openbox), on a display of its own.
# Usage: e2e_fullscreen.sh /path/to/moriv /path/to/e2e_slideshow
set -euo pipefail

program=$(readlink -f "$1")
slideshow=$(readlink -f "$2")
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/displayfd")"
export XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

openbox --sm-disable > "$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

"$program" > "$work/program.log" 2>&1 &
pids+=($!)
timer=$(xdotool search --sync --onlyvisible --name '^Moriv$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$timer")"
area="${WIDTH}x${HEIGHT}+${X}+${Y}"
echo "   timer window $timer at $area"

"$slideshow" > "$work/slideshow.log" 2>&1 &
pids+=($!)
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

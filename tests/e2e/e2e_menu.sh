#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The timer's menu under openbox, in English, over a slide show that keeps the keyboard: a
# right-click on the digits opens it (in the hollow of a 0 too, but not two pixels beside a
# digit), beside the strip and above it while it counts; "Count past zero" is kept for the
# next start, and
# "Quit" ends the timer as `moriv --command quit` does; "Remote control" listens at once on
# the port kept beside it. The menu is driven with its keys: the
# arrows skip what is disabled (Pause before Start), so "Count past zero" is six down,
# "Remote control" ten down and "Quit" one up.
# Usage: e2e_menu.sh /path/to/moriv /path/to/e2e_slideshow
set -euo pipefail
program=$(readlink -f "$1")
slideshow=$(readlink -f "$2")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/dbus.sh"
source "$here/../support/session.sh"
start_display 1024x768
source "$here/../support/screen.sh"
source "$here/../support/pixels.sh"
start_manager openbox

focused() { xdotool getwindowfocus getwindowname 2>/dev/null || true; }
focused_on() { [ "$(focused)" = "$1" ]; }
socket() { compgen -G "$XDG_RUNTIME_DIR/moriv-command-*" > /dev/null; }
# A lit pixel of the digits: the black around them lets clicks through to the desktop.
digit_pixel() {
    # shellcheck disable=SC2034 # the eval below sets all of them
    local timer X Y WIDTH HEIGHT SCREEN WINDOW at
    timer=$(xdotool search --onlyvisible --name '^Moriv$' | head -n1)
    eval "$(xdotool getwindowgeometry --shell "$timer")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" -depth 8 txt:"$work/area.txt" \
        2>/dev/null
    at=$(grep -m1 '#FF0000' "$work/area.txt" | cut -d: -f1) || return 1
    echo "$((X + ${at%,*})) $((Y + ${at#*,}))"
}
open_menu() {
    local point
    point=$(poll 5 digit_pixel) || fail "no red digits to click"
    # shellcheck disable=SC2086 # x and y
    xdotool mousemove $point click 3
    poll 5 menu_open || fail "a right-click on the digits opened no menu"
}
# The open menu is a second window of the timer's own on screen.
menu_open() { [ "$(xdotool search --onlyvisible --classname '^moriv$' | wc -l)" -ge 2 ]; }
choose() {
    open_menu
    # shellcheck disable=SC2068 # one key a word
    xdotool key --delay 50 $@ Return
    poll 5 not menu_open || fail "the menu stayed open"
}
start_timer() {
    LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 background "$work/program.log" "$program"
    program_pid=$last_pid
    window "^Moriv$" > /dev/null
    poll 10 socket || fail "the timer does not listen for commands"
}

conf="$XDG_CONFIG_HOME/moriv/moriv.conf"
port=$(free_port)
mkdir -p "$(dirname "$conf")" && printf '[choices]\nremote-port=%s\n' "$port" > "$conf"

step "a slide show has the keyboard; the timer starts without taking it"
background "$work/slideshow.log" "$slideshow"
window '^slide show$' > /dev/null
poll 5 focused_on "slide show" || fail "the slide show does not have the focus"
start_timer

step "a right-click in the hollow of the seconds' first 0 opens the menu beside the digits"
timer=$(xdotool search --onlyvisible --name '^Moriv$' | head -n1)
read -r strip_X strip_Y strip_WIDTH strip_HEIGHT < <(place_of "$timer")
cells "${strip_WIDTH}x${strip_HEIGHT}+${strip_X}+${strip_Y}" > "$work/cells"
[ "$(wc -l < "$work/cells")" -ge 3 ] || fail "no digits on screen: $(cat "$work/cells")"
read -r left right top bottom < <(tail -n2 "$work/cells" | head -n1)
hollow_x=$(( (left + right) / 2 )) hollow_y=$(( (top + bottom) / 2 ))
# The slide shows through the hollow: the black there is keyed out.
grep -q "^$hollow_x,$hollow_y: .*#285AC8" "$work/area.txt" \
    || fail "no hollow at $hollow_x,$hollow_y: $(grep "^$hollow_x,$hollow_y:" "$work/area.txt")"
xdotool mousemove $((strip_X + hollow_x)) $((strip_Y + hollow_y)) click 3
poll 5 menu_open || fail "a right-click in the hollow of a 0 opened no menu"
not grep -q '^click' "$work/slideshow.log" || fail "the click went through to the show"
menu=$(xdotool search --onlyvisible --classname '^moriv$' | grep -vx "$timer" | head -n1)
read -r menu_X menu_Y _ menu_HEIGHT < <(place_of "$menu")
(( menu_Y >= strip_Y + strip_HEIGHT || menu_Y + menu_HEIGHT <= strip_Y )) \
    || fail "the menu at $menu_X,$menu_Y covers the strip at $strip_X,$strip_Y"
poll 3 focused_on "slide show" || fail "the right-click took the keyboard: $(focused)"
xdotool key Escape
poll 5 not menu_open || fail "Escape did not close the menu"

step "a right-click two pixels left of the first cell reaches the slide show below"
read -r left right top bottom < "$work/cells"
xdotool mousemove $((strip_X + left - 2)) $((strip_Y + (top + bottom) / 2)) click 3
poll 5 grep -q '^click' "$work/slideshow.log" || fail "the click did not reach the show"
not menu_open || fail "a click outside the digits opened the menu"

step "while counting, the open menu stays above the strip: no red pixel in it over two ticks"
"$program" --command start
xdotool mousemove $((strip_X + hollow_x)) $((strip_Y + hollow_y)) click 3
poll 5 menu_open || fail "no menu while counting"
menu=$(xdotool search --onlyvisible --classname '^moriv$' | grep -vx "$timer" | head -n1)
read -r menu_X menu_Y menu_WIDTH menu_HEIGHT < <(place_of "$menu")
menu_area="${menu_WIDTH}x${menu_HEIGHT}+${menu_X}+${menu_Y}"
steady 2.2 red_pixels "$menu_area" && [ "$(red_pixels "$menu_area")" -eq 0 ] \
    || fail "red digits inside the open menu at $menu_area: $(red_pixels "$menu_area")"
[ -z "${MORIV_E2E_SHOTS:-}" ] || import -window root "$MORIV_E2E_SHOTS/menu-counting.png"
xdotool key Escape
poll 5 not menu_open || fail "Escape did not close the menu"
"$program" --command pause

step "Count past zero, chosen in the menu, is kept in moriv.conf"
choose Down Down Down Down Down Down
poll 5 grep -qx 'overtime=true' "$conf" 2>/dev/null || fail "not kept: $(cat "$conf" 2>&1)"
poll 3 focused_on "slide show" || fail "after the menu the keyboard is with $(focused)"

step "Remote control, chosen in the menu, answers at once on the kept port, and is kept"
choose Down Down Down Down Down Down Down Down Down Down
poll 5 grep -qx 'remote=true' "$conf" || fail "not kept: $(cat "$conf")"
state() { curl -s -H "Authorization: Bearer $(cat "$XDG_CONFIG_HOME/moriv/remote-token")" \
              "http://127.0.0.1:$port/v1/state"; }
poll 5 eval '[[ $(state) == *\"state\":\"paused\"* ]]' || fail "no answer on $port: $(state)"

step "Quit ends the timer: exit 0, its socket gone, the show keeps the keyboard"
choose Up
poll 10 gone "$program_pid" || fail "the timer did not end"
status=0
wait "$program_pid" || status=$?
[ "$status" -eq 0 ] || fail "the timer ended with status $status: $(cat "$work/program.log")"
not socket || fail "its socket is still there"
focused_on "slide show" || fail "the keyboard is with $(focused)"

step "the next start has Count past zero checked: choosing it again unchecks it"
start_timer
choose Down Down Down Down Down Down
poll 5 grep -qx 'overtime=false' "$conf" || fail "it was not checked: $(cat "$conf")"
"$program" --command quit
poll 10 gone "$program_pid" || fail "the timer did not end"
echo "menu: all steps passed"

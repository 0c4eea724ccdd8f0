#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line as the program applies it (its grammar has a unit test): a refusal, a screen
# that does not exist, the corners of two screens, and a count of this run's minutes that
# starts at once, runs out after 60 s and leaves the settings file alone.
# Usage: e2e_options.sh /path/to/moriv
set -euo pipefail

program=$(readlink -f "$1")
source "$(dirname "$0")/../support/dbus.sh"
source "$(dirname "$0")/../support/session.sh"

step "a wrong option: a message and status 2, no window"
status=0
env -u DISPLAY "$program" --minutes 0 > "$work/bad.log" 2>&1 || status=$?
[ "$status" -eq 2 ] && grep -q "^moriv: --minutes" "$work/bad.log" || fail "--minutes 0: $status"

# Two screens of different sizes: two X screens on one display (Qt gives each a screen).
start_display 800x600 1024x768

status=0
"$program" --screen 3 > "$work/bad.log" 2>&1 || status=$?
[ "$status" -eq 2 ] && grep -q "没有第 3 个屏幕" "$work/bad.log" || fail "--screen 3: status $status"

step "this run's minutes: --minutes 1 --start"
settings="$work/count-config/MorivTemp/sys.txt"
XDG_CONFIG_HOME="$work/count-config" "$program" --minutes 1 --start --no-global-keys \
    > "$work/count.log" 2>&1 &
count_pid=$!
pids+=("$count_pid")
# The count starts as its window opens: from then on the windows are watched in the background
# while the corners are tried, so the time-up message is seen when it opens (looked for from 55 s
# on, which leaves the cores to the tests beside this one; one before then is too early anyway).
showing() { # COUNT: the program shows at least COUNT windows
    [ "$(xdotool search --onlyvisible --pid "$count_pid" 2>/dev/null | wc -l)" -ge "$1" ]
}
watch() { poll 150 showing "$1" && now > "$2"; } # COUNT FILE: when COUNT windows first show
( watch 1 "$work/shown" && rest 55 && watch 2 "$work/time-up" ) &
pids+=($!)

step "corners: each window 16 px in from the corner of its screen"
expect() { # screen corner x y
    local pid id
    "$program" --no-global-keys --screen "$1" --corner "$2" > "$work/corner.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    placed() {
        id=$(xdotool search --screen $(($1 - 1)) --onlyvisible --pid "$pid" 2>/dev/null \
             | tail -n1) && eval "$(xdotool getwindowgeometry --shell "$id")" \
            && [ "$X,$Y" = "$3,$4" ]
    }
    X=none Y=none
    poll 10 placed "$@" || true
    echo "   screen $1 $2: $X,$Y (${WIDTH}x$HEIGHT)"
    [ "$X,$Y" = "$3,$4" ] || fail "screen $1 $2 at $X,$Y, not $3,$4"
    import -window root -screen -display "$DISPLAY.$(($1 - 1))" "$work/corner-$1-$2.png"
    stop "$pid"
}
expect 1 top-left 16 16
expect 1 bottom-right $((800 - 16 - WIDTH)) $((600 - 16 - HEIGHT))
expect 2 top-right $((1024 - 16 - WIDTH)) 16
expect 2 bottom-left 16 $((768 - 16 - HEIGHT))

step "the count of one minute runs out after 60 s"
poll 75 test -s "$work/time-up" || fail "no time-up message"
elapsed=$(awk -v a="$(cat "$work/time-up")" -v b="$(cat "$work/shown")" \
              'BEGIN { printf "%.2f", a - b }')
echo "   time-up message $elapsed s after the window opened"
# Never early; the upper bound allows for the polling, the exact minute is the unit tests'.
awk -v e="$elapsed" 'BEGIN { exit !(e > 59.3 && e < 62) }' || fail "time-up after $elapsed s"
box=$(xdotool search --all --onlyvisible --pid "$count_pid" --name '^Moriv$' | sort -n | tail -n1)
timeout 5 xdotool windowfocus --sync "$box" || true
xdotool key Return
status=0
poll 5 gone "$count_pid" || fail "the program did not end after time-up"
wait "$count_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after time-up"
[ ! -e "$settings" ] || fail "the settings file was written"
echo "options: all steps passed"

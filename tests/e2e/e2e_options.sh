#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line: options it refuses, the corners of two screens, and a count of this run's
# minutes that starts at once, runs out after 60 s and leaves the settings file alone.
# Usage: e2e_options.sh /path/to/moriv
set -euo pipefail

program=$(readlink -f "$1")
source "$(dirname "$0")/../support/session.sh"

step "options it does not understand: a message and status 2, no window"
for bad in "--fly" "--minutes 0" "--minutes abc" "--corner middle" "--scale 9" "--warn -1" \
           "--screen 0" "stray"; do
    status=0
    # shellcheck disable=SC2086
    env -u DISPLAY "$program" $bad > "$work/bad.log" 2>&1 || status=$?
    [ "$status" -eq 2 ] || fail "moriv $bad: status $status"
    grep -q "^moriv: " "$work/bad.log" || fail "moriv $bad: no message"
done

# Two screens of different sizes: two X screens on one display (Qt gives each a screen).
exec 3<> "$work/displayfd"
background "$work/xvfb.log" Xvfb -displayfd 3 -screen 0 800x600x24 -screen 1 1024x768x24 \
    -nolisten tcp
for _ in $(seq 100); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/displayfd")" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

status=0
"$program" --screen 3 > "$work/bad.log" 2>&1 || status=$?
[ "$status" -eq 2 ] && grep -q "no screen 3" "$work/bad.log" || fail "--screen 3: status $status"

step "this run's minutes: --minutes 1 --start"
settings="$work/count-config/MorivTemp/sys.txt"
XDG_CONFIG_HOME="$work/count-config" "$program" --minutes 1 --start --no-global-keys \
    > "$work/count.log" 2>&1 &
count_pid=$!
pids+=($count_pid)
started=$(date +%s.%N)

step "corners: each window 16 px in from the corner of its screen"
expect() { # screen corner x y
    local pid id
    "$program" --no-global-keys --screen "$1" --corner "$2" > "$work/corner.log" 2>&1 &
    pid=$!
    pids+=($pid)
    for _ in $(seq 100); do
        id=$(xdotool search --screen $(($1 - 1)) --onlyvisible --pid "$pid" 2>/dev/null \
             | tail -n1 || true)
        [ -n "$id" ] && eval "$(xdotool getwindowgeometry --shell "$id")" \
            && [ "$X,$Y" = "$3,$4" ] && break
        sleep 0.1
    done
    echo "   screen $1 $2: $X,$Y (${WIDTH}x$HEIGHT)"
    [ "$X,$Y" = "$3,$4" ] || fail "screen $1 $2 at $X,$Y, not $3,$4"
    import -window root -screen -display "$DISPLAY.$(($1 - 1))" "$work/corner-$1-$2.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
expect 1 top-left 16 16
expect 1 bottom-right $((800 - 16 - WIDTH)) $((600 - 16 - HEIGHT))
expect 2 top-right $((1024 - 16 - WIDTH)) 16
expect 2 bottom-left 16 $((768 - 16 - HEIGHT))

step "the count of one minute runs out after 60 s"
for _ in $(seq 700); do
    message=$(xdotool search --onlyvisible --pid "$count_pid" 2>/dev/null | wc -l || true)
    [ "$message" -ge 2 ] && break
    sleep 0.1
done
elapsed=$(awk -v a="$(date +%s.%N)" -v b="$started" 'BEGIN { printf "%.1f", a - b }')
echo "   time-up message after $elapsed s"
awk -v e="$elapsed" 'BEGIN { exit !(e > 59 && e < 63) }' || fail "time-up after $elapsed s"
box=$(xdotool search --onlyvisible --pid "$count_pid" --name '^Moriv$' | sort -n | tail -n1)
timeout 5 xdotool windowfocus --sync "$box" || true
xdotool key Return
status=0
for _ in $(seq 50); do kill -0 "$count_pid" 2>/dev/null || break; sleep 0.1; done
wait "$count_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after time-up"
[ ! -e "$settings" ] || fail "the settings file was written"
echo "options: all steps passed"

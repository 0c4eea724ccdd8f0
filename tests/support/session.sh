# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Shared by the scripts that run real programs on a display of their own. Source it after
# `set -euo pipefail`; it makes a work folder, starts Xvfb on a free display and ends every
# process started through `background` when the script exits, waiting until each is gone.

# Window titles and screen texts are Chinese: the tools must read them as UTF-8, whatever
# locale the caller has.
export LC_ALL=C.UTF-8

work=$(mktemp -d)
pids=()
declare -A logs=() commands=()

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

# now: seconds since the epoch, to the microsecond.
now() { echo "$EPOCHREALTIME"; }
# since T: seconds from T to now, to a hundredth.
since() { awk -v a="$EPOCHREALTIME" -v b="$1" 'BEGIN { printf "%.2f", a - b }'; }

# milliseconds SECONDS: "1.5" as 1500; now_ms: the clock in milliseconds.
milliseconds() {
    local whole=${1%%.*} part
    part=${1#"$whole"}
    part=${part#.}000
    echo $(( ${whole:-0} * 1000 + 10#${part:0:3} ))
}
now_ms() { echo $(( ${EPOCHREALTIME/./} / 1000 )); }
# before_ms DEADLINE: the clock in milliseconds is before DEADLINE.
before_ms() { (( ${EPOCHREALTIME/./} / 1000 < $1 )); }
# rest SECONDS: sleeps, as the loops below do many times a second, without starting a process
# each time (the tests run side by side, and their waiting must leave the cores to the others):
# it reads, with a time limit, from a pipe that nobody writes.
mkfifo "$work/rest"
exec {rest_fd}<> "$work/rest"
rest() { read -r -t "$1" -u "$rest_fd" _ || true; }

# poll SECONDS COMMAND...: runs the command until it succeeds, every 50 ms, and fails once
# SECONDS have passed without success. The deadline is on the clock, not a count of tries,
# so a slow command under load does not stretch it.
poll() {
    local deadline=$(( $(now_ms) + $(milliseconds "$1") ))
    shift
    while true; do
        "$@" && return 0
        before_ms "$deadline" || return 1
        rest 0.05
    done
}
not() { ! "$@"; }
# A TCP port of the loopback that nothing listens on now.
free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}
# window TITLE: the first visible window whose title matches, within 60 s (a loaded machine
# starts a Qt program in seconds, not the usual fraction of one); or a failure that names the
# windows there were and says what each process started here did.
found() { xdotool search --onlyvisible --name "$1" > "$work/found"; }
window() {
    poll "${MORIV_E2E_WINDOW_SECONDS:-60}" found "$1" \
        || fail "no window titled $1; there were: $(xdotool search --onlyvisible --name . \
                 getwindowname %@ 2>&1 | tr '\n' ',')"
    head -n1 "$work/found"
}
# processes: each process started through `background`, running or with its exit status, and
# the last lines it wrote. Only the script's own shell has their status, not a subshell.
processes() {
    local pid status
    for pid in "${pids[@]}"; do
        if gone "$pid"; then
            status=0; wait "$pid" 2>/dev/null || status=$?
            # 127 is also what a second wait says: stop() has waited for those already.
            status="exited with status $status$( [ "$status" != 127 ] || echo ' (or ended here)')"
        else
            status="running"
        fi
        echo "   ${commands[$pid]:-process $pid}: $status; its last lines:"
        tail -n 5 "${logs[$pid]:-/dev/null}" 2>/dev/null | sed 's/^/      /'
    done
}

# place_of WINDOW: where the window is on the screen, as "X Y WIDTH HEIGHT".
place_of() {
    xdotool getwindowgeometry --shell "$1" \
        | awk -F= '{ v[$1] = $2 } END { print v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
}

# steady SECONDS COMMAND...: the command prints the same for SECONDS (a paused count, say);
# fails at the first change.
steady() {
    local first deadline=$(( $(now_ms) + $(milliseconds "$1") ))
    first=$("${@:2}")
    while before_ms "$deadline"; do
        [ "$("${@:2}")" = "$first" ] || return 1
        rest 0.05
    done
}

# gone PID: the process has exited (a zombie child counts as gone).
gone() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null) || return 0
    [[ $state == Z* ]]
}

# background LOG COMMAND...: starts the command, its output in LOG, to be ended at exit; its
# process id is in $last_pid.
background() {
    local log=$1
    shift
    "$@" > "$log" 2>&1 &
    last_pid=$!
    pids+=("$last_pid")
    logs[$last_pid]=$log
    commands[$last_pid]=$(basename "$1")
}

# stop PID...: ends the processes and waits until they have exited, with SIGKILL for any still
# there after 10 s.
stop() {
    local pid
    for pid in "$@"; do kill "$pid" 2>/dev/null || true; done
    for pid in "$@"; do
        poll 10 gone "$pid" || { echo "still there: $(ps -o pid=,cmd= -p "$pid")" >&2
                                 kill -KILL "$pid" 2>/dev/null || true; }
        wait "$pid" 2>/dev/null || true
    done
}

# Everything this script started is ended and gone before the next script runs: an X server
# still shutting down removes the socket file of a new server handed the same display number.
# A script that fails says first what each of its processes did.
session_cleanup() {
    local status=${1:-$?}
    trap - EXIT
    if [ "$status" -ne 0 ] && [ ${#pids[@]} -gt 0 ]; then
        echo "the processes this script started:" >&2
        processes >&2
    fi
    [ ${#pids[@]} -eq 0 ] || stop "${pids[@]}"
    rm -rf "$work"
}
trap session_cleanup EXIT

# start_display WIDTHxHEIGHT...: a new Xvfb display, one X screen for each size, whatever
# display number is free, as DISPLAY; the program under test gets its own settings and runtime
# folders. -noreset: by default the server resets whenever its last client leaves, and a
# client that connects during that reset is refused ("Can't open display"); without a window
# manager holding the display that happens between any two short-lived clients.
start_display() {
    local screens=() number=0 size
    for size in "$@"; do screens+=(-screen "$number" "${size}x24"); number=$((number + 1)); done
    exec 3<> "$work/displayfd"
    background "$work/xvfb.log" Xvfb -displayfd 3 "${screens[@]}" -nolisten tcp -noreset
    poll 10 test -s "$work/displayfd" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    exec 3>&-
    DISPLAY=":$(head -n1 "$work/displayfd")"
    export DISPLAY
    export XDG_CONFIG_HOME="$work/config"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM
}

# start_manager openbox|xfwm4|xfwm4-composited: a window manager on the display, once it has
# taken over (it names itself on the root window).
start_manager() {
    case $1 in
        openbox) background "$work/wm.log" openbox --sm-disable ;;
        xfwm4) background "$work/wm.log" xfwm4 --compositor=off ;;
        xfwm4-composited) background "$work/wm.log" xfwm4 --compositor=on ;;
        *) fail "unknown window manager $1" ;;
    esac
    poll 15 manager_running || fail "$1 did not start: $(cat "$work/wm.log")"
}
manager_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# covers_screen TITLE: the visible window with this title covers the whole screen.
covers_screen() {
    # shellcheck disable=SC2034 # the eval below sets all of them
    local id X Y WIDTH HEIGHT SCREEN WINDOW
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1)
    [ -n "$id" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$id")"
    [ "$X $Y $WIDTH $HEIGHT" = "0 0 $(xdotool getdisplaygeometry)" ]
}

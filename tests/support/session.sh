# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the scripts that run real programs on a display of their own. Source it after
# `set -euo pipefail`; it makes a work folder, starts Xvfb on a free display and ends every
# process started through `background` when the script exits.

# Window titles and screen texts are Chinese: the tools must read them as UTF-8, whatever
# locale the caller has.
export LC_ALL=C.UTF-8

work=$(mktemp -d)
pids=()
session_cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap session_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "-- $*"; }

# background LOG COMMAND...: starts the command, its output in LOG, to be ended at exit.
background() {
    local log=$1
    shift
    "$@" > "$log" 2>&1 &
    pids+=($!)
}

# start_display WIDTHxHEIGHT: a new Xvfb display, whatever number is free, as DISPLAY; the
# program under test gets its own settings and runtime folders.
start_display() {
    exec 3<> "$work/displayfd"
    background "$work/xvfb.log" Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp
    for _ in $(seq 100); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
    [ -s "$work/displayfd" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$work/displayfd")"
    export XDG_CONFIG_HOME="$work/config"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM
}

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the timer against a bare frameless Qt window, in turns on one Xvfb display with a
# session bus and runtime folder as on a desktop: milliseconds from exec to the first window
# mapped on the root, and resident memory 1.5 s after. Prints each run and the medians.
# Usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
source "$(dirname "$0")/../tests/support/dbus.sh"
source "$(dirname "$0")/../tests/support/session.sh"
build=$(cd "$1" && pwd)
runs=${2:-7}
start_display 1280x800

# xev reports every window mapped on the root; each report is stamped as it is read.
coproc maps { stdbuf -oL xev -root -event substructure 2> /dev/null; }
pids+=("$maps_PID")
first_map() {
    local line
    while read -r -t 10 -u "${maps[0]}" line; do
        [[ $line == MapNotify* ]] && { mapped=$(now_ms); return; }
    done
    fail "no window was mapped"
}

# one NAME COMMAND...: appends "NAME milliseconds kilobytes" to the runs.
one() {
    local name=$1 start rss
    shift
    start=$(now_ms)
    background "$work/$name.log" "$@"
    first_map
    sleep 1.5 # memory once start-up has settled, not a wait for an event
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$last_pid/status")
    stop "$last_pid"
    echo "$name $((mapped - start)) $rss" | tee -a "$work/runs"
}

for _ in $(seq "$runs"); do
    one moriv "$build/src/moriv" --no-global-keys
    one bare "$build/bench/bench_barewindow"
done
median() { awk -v n="$1" -v f="$2" '$1 == n { print $f }' "$work/runs" | sort -n \
           | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
awk -v mt="$(median moriv 2)" -v bt="$(median bare 2)" \
    -v mm="$(median moriv 3)" -v bm="$(median bare 3)" 'BEGIN {
    printf "median start-up: moriv %d ms, bare window %d ms (%.2fx)\n", mt, bt, mt / bt
    printf "median memory:   moriv %.1f MB, bare window %.1f MB (%.2fx)\n",
           mm / 1024, bm / 1024, mm / bm
}'

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# How often the counting timer wakes, with and without a tray that hosts its icon: the
# voluntary context switches of its process over SECONDS of counting (each a sleep the program
# woke from), on one Xvfb display with a session bus, the tray a stand-in
# StatusNotifierWatcher. The tick wakes it about once a second; a tray that rewrote its
# tooltip each second would add to that.
# Usage: bench/wakeups.sh BUILD_DIR [SECONDS]
set -euo pipefail
source "$(dirname "$0")/../tests/support/dbus.sh"
source "$(dirname "$0")/../tests/support/session.sh"
tests=$(cd "$(dirname "$0")/../tests" && pwd)
program="$(cd "$1" && pwd)/src/moriv"
seconds=${2:-20}
start_display 1280x800

switches() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$1/status"; }
# count LABEL: the timer counting SECONDS, and its wake-ups a second.
count() {
    background "$work/timer.log" "$program" --no-global-keys --minutes 60 --start
    local timer=$last_pid before after
    poll 10 eval 'xdotool search --onlyvisible --pid "$timer" > /dev/null' \
        || fail "the timer did not show"
    rest 3 # start-up and the tray's first round trips are over
    before=$(switches "$timer")
    rest "$seconds"
    after=$(switches "$timer")
    "$program" --command quit
    poll 10 gone "$timer" || fail "the timer did not end"
    awk -v n=$((after - before)) -v s="$seconds" -v l="$1" \
        'BEGIN { printf "%-22s %5.2f wake-ups a second\n", l, n / s }'
}

count "no tray"
background "$work/watcher.log" /usr/bin/python3 "$tests/e2e/watcher.py"
poll 10 grep -q ready "$work/watcher.log" || fail "the stand-in watcher did not start"
count "tray hosting its icon"
echo "tray icons registered: $(grep -c '^registered' "$work/watcher.log")"

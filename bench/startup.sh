#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the timer as installed and run (its shortcuts on) against a bare frameless Qt
# window, in turns on one Xvfb display with a session bus and runtime folder as on a desktop:
# milliseconds from exec to the first window mapped on the root, measured by bench_execmap
# with no shell in between, and resident memory 1.5 s after. Prints each run and the medians.
# With --tray a stand-in StatusNotifierWatcher hosts tray icons, as a desktop's panel does.
# Usage: bench/startup.sh [--tray] BUILD_DIR [RUNS]
set -euo pipefail
source "$(dirname "$0")/../tests/support/dbus.sh"
source "$(dirname "$0")/../tests/support/session.sh"
tests=$(cd "$(dirname "$0")/../tests" && pwd)
tray=no
if [ "$1" = --tray ]; then tray=yes; shift; fi
build=$(cd "$1" && pwd)
start_display 1280x800
if [ "$tray" = yes ]; then
    background "$work/watcher.log" /usr/bin/python3 "$tests/e2e/watcher.py"
    poll 10 grep -q ready "$work/watcher.log" || fail "the stand-in watcher did not start"
fi
"$build/bench/bench_execmap" "${2:-7}" "$build/src/moriv" "$build/bench/bench_barewindow"
[ "$tray" = no ] || echo "tray icons registered: $(grep -c '^registered' "$work/watcher.log")"

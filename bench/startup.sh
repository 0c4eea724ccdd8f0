#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the timer as installed and run (its shortcuts on) against a bare frameless Qt
# window, in turns on one Xvfb display with a session bus and runtime folder as on a desktop:
# milliseconds from exec to the first window mapped on the root, measured by bench_execmap
# with no shell in between, and resident memory 1.5 s after. Prints each run and the medians.
# Usage: bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
source "$(dirname "$0")/../tests/support/dbus.sh"
source "$(dirname "$0")/../tests/support/session.sh"
build=$(cd "$1" && pwd)
start_display 1280x800
"$build/bench/bench_execmap" "${2:-7}" "$build/src/moriv" "$build/bench/bench_barewindow"

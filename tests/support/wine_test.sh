#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Qt Test program built for Windows under Wine and prints its log, which Qt Test's own
# output through Wine never brings to a Linux terminal.  Usage: wine_test.sh program.exe
set -uo pipefail
log=$(mktemp)
"$(dirname "$0")/../../scripts/wine-run.sh" "$1" -o "Z:${log//\//\\},txt"
status=$?
cat "$log"
rm -f "$log"
exit "$status"

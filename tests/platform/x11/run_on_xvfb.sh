#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Qt Test program on a display of its own, through the xcb platform.
set -euo pipefail
source "$(dirname "$0")/../../support/session.sh"
start_display 640x480
QT_QPA_PLATFORM=xcb "$@"

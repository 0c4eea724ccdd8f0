# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Source first, with no arguments: runs the calling script again inside a private D-Bus
# session, which carries the accessibility bus the screen reader helpers use; scripts that run
# side by side never meet on a bus.
if [ -z "${MORIV_E2E_IN_SESSION:-}" ]; then
    export MORIV_E2E_IN_SESSION=1
    exec dbus-run-session -- bash "$0" "$@"
fi

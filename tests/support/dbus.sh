# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Source first, with no arguments: runs the calling script again inside a private D-Bus
# session, which carries the accessibility bus the screen reader helpers use; scripts that run
# side by side never meet on a bus.
#
# The desktop's portals start on it only for a script that sets MORIV_E2E_PORTALS=1 first: Qt
# asks them for the desktop's settings, and a portal started on a bus that ends with the script
# can outlive it, holding the test's output open until its time runs out.
if [ -z "${MORIV_E2E_IN_SESSION:-}" ]; then
    export MORIV_E2E_IN_SESSION=1
    [ -z "${MORIV_E2E_PORTALS:-}" ] || exec dbus-run-session -- bash "$0" "$@"
    bus=$(mktemp -d)
    mkdir "$bus/services"
    ln -s /usr/share/dbus-1/services/*.service "$bus/services/"
    rm -f "$bus"/services/org.freedesktop.{,impl.}portal.*
    sed -e "s|<standard_session_servicedirs */>|<servicedir>$bus/services</servicedir>|" \
        -e 's|<includedir>session.d</includedir>||' /usr/share/dbus-1/session.conf \
        > "$bus/session.conf"
    # The bus reads its folder until it ends: it goes afterwards.
    status=0
    dbus-run-session --config-file="$bus/session.conf" -- bash "$0" "$@" || status=$?
    rm -rf "$bus"
    exit "$status"
fi

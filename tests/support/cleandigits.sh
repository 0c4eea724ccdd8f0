# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# The timer under test in the screen's left half (1280 px wide), beside a clean rendering of the
# same program in the right half, with a command socket of its own: the same commands reach both
# at the same moment, and at each moment the red pixels of the halves must be the same. Source it
# after session.sh; `shoot FILE` takes a screenshot of the whole screen.

: "${work:?source session.sh first}" "${program:?the program under test}"
mkdir -m 700 "$work/reference"
reference() { XDG_RUNTIME_DIR=$work/reference "$@"; }

# same SHOT: the halves' red pixels, each cut to its bounding box, are the same, and are digits.
same() {
    shoot "$1" && convert "$1" -crop 640x720 +repage -alpha off -fill black +opaque '#FF0000' \
        -fill white -opaque '#FF0000' -trim +repage "$1.%d.png" 2> /dev/null \
        && red=$(convert "$1.0.png" -format '%[fx:round(mean*w*h)]' info:) || return 1
    differ=$(compare -metric AE "$1".[01].png null: 2>&1) && [ "$differ" = 0 ] && [ "$red" -gt 99 ]
}
# A compositor may show a change a moment later: a check tries for 0.4 s, within the second.
matches() {
    poll 0.4 same "$work/$1.png" || fail "at $1, $differ pixels differ (of $red red): $work/$1.png"
    echo "   $1: the same $red red pixels"
}
both() { "$program" --command "$1" & reference "$program" --command "$1"; wait "$!"; }

# Both show their minutes; then the first tick (a minute boundary), a pause, a minute more and
# two less, each looked at in the middle of a second.
compare_moments() {
    poll 20 same "$work/started.png" || fail "the two timers do not show the same digits"
    local started
    started=$(now_ms)
    both start
    at() { local due=$((started + $1)); while before_ms "$due"; do rest 0.02; done; }
    at 1500 && matches first-tick
    at 2500 && both pause
    at 3000 && matches paused
    both more && matches more
    both less && both less && matches less
}

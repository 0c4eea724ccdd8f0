#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Colour phases and the chime, on X11: the digits blue while more than the warning minute is
# left, yellow within it, red at zero, where they flash; with --sound a chime within a second
# of zero, recorded from the null sink of a private PulseAudio, and silence without it.
# Usage: e2e_phases.sh /path/to/moriv
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/dbus.sh"
source "$here/../support/session.sh"
source "$here/../support/pixels.sh"
start_display 800x600
export HOME="$work" PULSE_RUNTIME_PATH="$work/pulse" PULSE_SERVER="unix:$work/pulse/native"
background "$work/pulse.log" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --log-target=stderr --load="module-null-sink sink_name=null" \
    --load="module-native-protocol-unix socket=$work/pulse/native auth-anonymous=1"
poll 10 pactl info > /dev/null || fail "no sound server: $(tail -n3 "$work/pulse.log")"

# The digits' pixels in each phase's colour: blue, yellow, red, in the timer's area (small,
# so that a reading takes less than the flash's half second).
colours() {
    read_area "$area"
    echo "$(count '#56B4E9') $(count '#F0E442') $(count '#FF0000')"
}
only() { [[ $(colours) =~ $1 ]]; } # PATTERN: the three counts match it
# red_throughout: red, and never dark, for a second and a half.
red_throughout() {
    local until=$(( $(now_ms) + 1500 ))
    while before_ms "$until"; do only '^0 0 [1-9]' || return 1; rest 0.1; done
}
# red_and_dark: the flash at zero has been seen red and dark (readings come at any moment of
# its half seconds, however long each takes).
red_and_dark() {
    local seen
    seen=$(colours)
    [[ $seen =~ ^0\ 0\ [1-9] ]] && red=seen
    [ "$seen" = "0 0 0" ] && dark=seen
    [ -n "$red" ] && [ -n "$dark" ]
}
# past_yellow: no yellow now; while there is, when the reading that saw it began.
past_yellow() {
    local began
    began=$(now)
    ! only '^0 [1-9]' || { last_yellow=$began; false; }
}
# to_zero [--sound]: counts two minutes, a minute less twice; sets chime to when the sound
# server got the chime (empty: never), last_yellow to when the last reading before zero began,
# and loudness to the peak in the sink's monitor.
to_zero() {
    parec --device=null.monitor --format=s16le --rate=8000 --channels=1 > "$work/sound.raw" &
    local recording=$!
    pids+=("$recording")
    # shellcheck disable=SC2016 # expanded by the shell that reads the events
    background "$work/events.log" bash -c \
        'pactl subscribe | while read -r line; do echo "$EPOCHREALTIME $line"; done'
    local events=$last_pid
    background "$work/timer.log" "$program" --phases --minutes 2 --warn 1 --overtime --start \
        --no-global-keys "$@"
    timer=$last_pid
    poll 10 eval 'xdotool search --onlyvisible --pid "$timer" > "$work/window"' \
        || fail "no timer window"
    eval "$(xdotool getwindowgeometry --shell "$(head -n1 "$work/window")")"
    area=$((WIDTH * 2))x${HEIGHT}+$X+$Y # room for the minutes to grow
    poll 10 only '^[1-9][0-9]* 0 0$' || fail "not blue alone while counting: $(colours)"
    "$program" --command less
    poll 3 only '^0 [1-9][0-9]* 0$' || fail "not yellow alone in the last minute: $(colours)"
    "$program" --command less # a second is left
    # Yellow to the last second: zero came between the last reading with it and the first
    # without it (red, or dark).
    last_yellow=$(now)
    poll 3 past_yellow || fail "still yellow after zero: $(colours)"
    red='' dark=''
    poll 8 red_and_dark || fail "at zero: red ${red:-never}, dark ${dark:-never}"
    poll 10 red_throughout || fail "the digits flash on"
    "$program" --command quit
    poll 10 gone "$timer" || fail "the timer did not end"
    stop "$recording" "$events"
    chime=$(awk '/new.* on sink-input/ { print $1; exit }' "$work/events.log")
    loudness=$(sox -t raw -r 8000 -e signed -b 16 -c 1 "$work/sound.raw" -n stat 2>&1 \
                   | awk '/^Maximum amplitude/ { print $3 }')
}

step "with --sound: blue, yellow, red and a flash at zero; a chime within a second of it"
to_zero --sound
[ -n "$chime" ] && [ ! -s "$work/timer.log" ] \
    || fail "no chime, or the timer said: $(cat "$work/timer.log")"
after() { awk -v a="$chime" -v b="$1" 'BEGIN { printf "%.2f", a - b }'; }
echo "   the chime reached the sound server at most $(after "$last_yellow") s after zero," \
     "peak $loudness"
# The chime rings as zero is reached and the red reaches the screen a frame or two later, so a
# reading begun just after the chime can still see yellow; a busy machine widens that.
awk -v a="$(after "$last_yellow")" -v l="$loudness" \
    'BEGIN { exit !(a > -0.5 && a < 1 && l > 0.01) }' \
    || fail "the chime did not come within a second of zero"

step "without --sound: silence"
to_zero
[ -z "$chime" ] && [ "$loudness" = 0.000000 ] || fail "a sound without --sound: $loudness"
[ ! -s "$work/timer.log" ] || fail "the timer printed: $(cat "$work/timer.log")"

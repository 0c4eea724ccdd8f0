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
# to_zero [--sound]: counts two minutes, a minute less twice; sets delay to how long after
# zero showed the sound server got the chime, and loudness to its peak in the sink's monitor.
to_zero() {
    parec --device=null.monitor --format=s16le --rate=8000 --channels=1 > "$work/sound.raw" &
    local recording=$! zero
    pids+=("$recording")
    # shellcheck disable=SC2016 # expanded by the shell that reads the events
    background "$work/events.log" bash -c \
        'pactl subscribe | while read -r line; do echo "$EPOCHREALTIME $line"; done'
    local events=$last_pid
    background "$work/timer.log" "$program" --phases --minutes 2 --warn 1 --overtime --start \
        --no-global-keys "$@"
    poll 10 eval 'xdotool search --onlyvisible --pid "$last_pid" > "$work/window"' \
        || fail "no timer window"
    eval "$(xdotool getwindowgeometry --shell "$(head -n1 "$work/window")")"
    area=$((WIDTH * 2))x${HEIGHT}+$X+$Y # room for the minutes to grow
    poll 10 only '^[1-9][0-9]* 0 0$' || fail "not blue alone while counting: $(colours)"
    "$program" --command less
    poll 3 only '^0 [1-9][0-9]* 0$' || fail "not yellow alone in the last minute: $(colours)"
    "$program" --command less # a second is left
    poll 3 only '^0 0 [1-9]' || fail "not red at zero: $(colours)"
    zero=$(now)
    poll 2 only '^0 0 0$' || fail "the digits do not flash at zero"
    poll 10 red_throughout || fail "the digits flash on"
    "$program" --command quit
    stop "$recording" "$events"
    delay=$(awk -v zero="$zero" '/new.* on sink-input/ { printf "%.2f", $1 - zero; exit }' \
                "$work/events.log")
    loudness=$(sox -t raw -r 8000 -e signed -b 16 -c 1 "$work/sound.raw" -n stat 2>&1 \
                   | awk '/^Maximum amplitude/ { print $3 }')
}

step "with --sound: blue, yellow, red and a flash at zero; a chime within a second of it"
to_zero --sound
echo "   the chime reached the sound server ${delay:-never} s after zero showed, peak $loudness"
awk -v d="${delay:-9}" -v l="$loudness" 'BEGIN { exit !(d > -0.5 && d < 1 && l > 0.01) }' \
    || fail "no chime within a second of zero; the timer said: $(cat "$work/timer.log")"

step "without --sound: silence"
to_zero
[ -z "$delay" ] && [ "$loudness" = 0.000000 ] || fail "a sound without --sound: $loudness"
[ ! -s "$work/timer.log" ] || fail "the timer printed: $(cat "$work/timer.log")"

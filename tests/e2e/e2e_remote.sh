#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The remote control with curl against the real timer, as a Stream Deck would drive it: the
# state while counting, start, pause and a minute more through the API and on the screen, the
# event stream (a pause by `--command` too), 401 without the token, 421 for a rebinding Host,
# quit. Without --remote the HTTP library is not even loaded.
# Usage: e2e_remote.sh /path/to/moriv
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/dbus.sh"
source "$here/../support/session.sh"
source "$here/../support/screen.sh"
start_display 800x600

port=$(free_port)
url=http://127.0.0.1:$port/v1
# api METHOD PATH [curl options]: the status, then the body, on one line.
api() { curl -s -X "$1" -H "Authorization: Bearer $token" -w ' %{http_code}' "${@:3}" "$url/$2"; }
left() { api GET state | sed -n 's/.*"secondsLeft":\(-\?[0-9]*\).*/\1/p'; }
# shown SECONDS: the timer's window reads that many seconds left.
shown() { timer_line | grep -q "剩余 $(($1 / 60)) 分 $(($1 % 60)) 秒"; }
loaded() { grep -q libQt6HttpServer "/proc/$1/maps"; }

step "without --remote: the HTTP library is not loaded, nothing listens"
background "$work/plain.log" "$program" --no-global-keys
plain=$last_pid
window Moriv > /dev/null
loaded "$plain" && fail "the HTTP library is loaded without --remote"
[ ! -e "$XDG_CONFIG_HOME/moriv/remote-token" ] || fail "a token without --remote"
stop "$plain"

step "--remote $port: a private token, the state, 401 without it, 421 for another Host"
background "$work/timer.log" "$program" --no-global-keys --minutes 5 --remote "$port"
timer=$last_pid
poll 10 test -s "$XDG_CONFIG_HOME/moriv/remote-token" || fail "no token file"
[ "$(stat -c %a "$XDG_CONFIG_HOME/moriv/remote-token")" = 600 ] || fail "others may read the token"
token=$(cat "$XDG_CONFIG_HOME/moriv/remote-token")
poll 10 eval '[[ $(api GET state) == *\"state\":\"ready\"* ]]' || fail "no state: $(api GET state)"
loaded "$timer" || fail "the HTTP library is not loaded with --remote"
[ "$(curl -s -w '%{http_code}' "$url/state")" = 401 ] || fail "the state without the token"
[ "$(curl -s -w '%{http_code}' -X POST "$url/start?token=x$token")" = 401 ] \
    || fail "a command with a wrong token"
[ "$(api POST start -H 'Host: evil.example')" = ' 421' ] || fail "a rebinding Host was let in"
[ "$(api GET state)" = '{"minutes":5,"phase":"normal","secondsLeft":300,"state":"ready"} 200' ] \
    || fail "the state before Start: $(api GET state)"

step "start, a minute more and pause through the API, as the screen shows them"
[[ $(api POST start) == *'"state":"counting"'*' 200' ]] || fail "start: $(api POST start)"
poll 5 eval '[ "$(left)" -lt 300 ]' || fail "not counting: $(api GET state)"
[[ $(api POST more) == *'"state":"counting"'*' 200' ]] || fail "more"
poll 3 eval '[ "$(left)" -gt 300 ]' || fail "no minute more: $(api GET state)"
[[ $(api POST pause) == *'"state":"paused"'*' 200' ]] || fail "pause"
paused=$(left)
wait_screen "剩余 $((paused / 60)) 分 $((paused % 60)) 秒" 5
steady 1.5 left || fail "the count went on after pause"
shown "$paused" || fail "the screen is not at $paused s: $(timer_line)"

step "the event stream: the state at once, each second, and a pause made elsewhere"
api POST start > /dev/null
: > "$work/events"
background "$work/curl.log" curl -s -N -o "$work/events" "$url/events?token=$token"
events=$last_pid
poll 5 eval '[ "$(grep -c secondsLeft "$work/events")" -ge 3 ]' \
    || fail "too few events: $(cat "$work/events")"
"$program" --command pause
poll 3 eval 'tail -n2 "$work/events" | grep -q "\"state\":\"paused\""' \
    || fail "the stream was not told of the pause: $(tail -n2 "$work/events")"
stop "$events"
grep -o '"secondsLeft":[0-9]*' "$work/events" | uniq > "$work/seconds"
sort -rn -t: -k2 -c "$work/seconds" || fail "the events do not count down: $(cat "$work/seconds")"

step "quit through the API: answered, and the timer ends with status 0"
[[ $(api POST quit) == *' 200' ]] || fail "quit was not answered"
poll 5 gone "$timer" || fail "the timer is still running"
wait "$timer" || fail "the timer ended with status $?"
[ ! -s "$work/timer.log" ] || fail "the timer said: $(cat "$work/timer.log")"
echo "PASS"

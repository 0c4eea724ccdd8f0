#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The tray icon as a panel that hosts StatusNotifierItems sees it: with a stand-in watcher on a
# private session bus the timer's item registers, its tooltip names the state, its menu
# (com.canonical.dbusmenu) holds the timer's entries, and a click on "Quit" ends the timer.
# Without a watcher nothing registers and nothing is printed.
# Usage: e2e_tray.sh /path/to/moriv
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/dbus.sh"
source "$here/../support/session.sh"
start_display 1024x768
source "$here/../support/screen.sh"

bus_call() { gdbus call --session --dest "$item" "$@"; }

step "no tray on the desktop: the timer runs and says nothing of it"
background "$work/alone.log" "$program" --no-global-keys
alone_pid=$last_pid
wait_screen '剩余 3 分 00 秒' 20
"$program" --command quit
poll 10 gone "$alone_pid" || fail "the timer did not end"
[ ! -s "$work/alone.log" ] || fail "it printed: $(cat "$work/alone.log")"

step "a watcher on the bus: the item registers, its tooltip names the state"
background "$work/watcher.log" /usr/bin/python3 "$here/watcher.py"
poll 10 grep -q ready "$work/watcher.log" || fail "the stand-in watcher did not start"
LC_ALL=en_US.UTF-8 LANG=en_US.UTF-8 background "$work/program.log" "$program" --no-global-keys
program_pid=$last_pid
poll 10 grep -q '^registered' "$work/watcher.log" || fail "no item registered"
read -r _ item path < <(grep '^registered' "$work/watcher.log" | head -n1)
echo "   item $item at $path"
tooltip() { bus_call --object-path "$path" --method org.freedesktop.DBus.Properties.Get \
                     org.kde.StatusNotifierItem ToolTip; }
poll 5 eval 'tooltip | grep -q "Moriv: ready"' || fail "tooltip: $(tooltip)"
"$program" --command start
poll 5 eval 'tooltip | grep -q "Moriv: counting down"' || fail "tooltip: $(tooltip)"
# While it counts the item changes nothing: no signal to the panel each second.
background "$work/monitor.log" dbus-monitor --session "type='signal',sender='$item'"
monitor_pid=$last_pid
poll 5 grep -q 'member=NameAcquired' "$work/monitor.log" || true
signals() { grep -c 'interface=org.kde.StatusNotifierItem' "$work/monitor.log" || true; }
# Three ticks of the count, watched.
steady 3.2 signals && [ "$(signals)" -eq 0 ] \
    || fail "the item signalled while counting: $(grep member= "$work/monitor.log" | sort | uniq -c)"
stop "$monitor_pid"

step "its menu holds the timer's entries; a click on Quit ends the timer"
menu=$(bus_call --object-path "$path" --method org.freedesktop.DBus.Properties.Get \
           org.kde.StatusNotifierItem Menu | grep -o "objectpath '[^']*'" | cut -d"'" -f2)
layout=$(gdbus call --session --dest "$item" --object-path "$menu" \
             --method com.canonical.dbusmenu.GetLayout 0 'int32 -1' '@as []')
for entry in Start Pause 'Reset…' 'Count past zero' Quit; do
    grep -q "'label': <'$entry'>" <<< "$layout" || fail "no $entry in the menu: $layout"
done
quit=$(grep -o "([0-9]*, {[^}]*'label': <'Quit'>" <<< "$layout" | grep -o '^([0-9]*' | tr -d '(')
[ -n "$quit" ] || fail "no id for Quit: $layout"
gdbus call --session --dest "$item" --object-path "$menu" --method com.canonical.dbusmenu.Event \
    "$quit" clicked '<0>' 0 > /dev/null
poll 10 gone "$program_pid" || fail "Quit in the tray's menu did not end the timer"
status=0
wait "$program_pid" || status=$?
[ "$status" -eq 0 ] || fail "the timer ended with status $status: $(cat "$work/program.log")"
echo "tray: all steps passed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The tray icon as a panel that hosts StatusNotifierItems sees it: with a stand-in watcher on a
# private session bus the timer's item registers, its tooltip names the state, its menu
# (com.canonical.dbusmenu) holds the timer's entries, and a click on "Quit" ends the timer. A
# save in the settings dialog that stops the count makes the tooltip say so; while the dialog
# or a message is open only Quit is enabled; the first click on the icon after it opens the menu.
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

menu=$(bus_call --object-path "$path" --method org.freedesktop.DBus.Properties.Get \
           org.kde.StatusNotifierItem Menu | grep -o "objectpath '[^']*'" | cut -d"'" -f2)
layout() { gdbus call --session --dest "$item" --object-path "$menu" \
               --method com.canonical.dbusmenu.GetLayout 0 'int32 -1' '@as []'; }
# The entries of the menu the panel draws, one a line: label and whether it is enabled.
entries() { layout | python3 -c '
import re, sys
for entry in re.findall(r"\{[^{}]*\}", sys.stdin.read()):
    label = re.search(r"[\x27\"]label[\x27\"]: <[\x27\"](.*?)[\x27\"]>", entry)
    if label:
        print(label.group(1), "off" if "\x27enabled\x27: <false>" in entry else "on")'; }

step "a save in the dialog stops the count: the tray says so; while it asks, only Quit is on"
"$program" --command settings
poll 10 xdotool search --onlyvisible --name '^Settings$' > /dev/null || fail "no dialog"
poll 5 eval 'entries | grep -q "^Count past zero off"' || fail "entries: $(entries)"
[ "$(entries | grep -c ' on$')" = 1 ] && entries | grep -q '^Quit on' \
    || fail "more than Quit is on while the dialog is open: $(entries | tr '\n' ',')"
xdotool key --delay 50 ctrl+a 2 Return
poll 5 eval 'tooltip | grep -q "Moriv: ready"' || fail "after the save the tooltip: $(tooltip)"
xdotool key Return
poll 5 eval 'entries | grep -q "^Start.* on$"' || fail "after the message: $(entries)"

step "the first click on the icon after the save opens the menu"
menus() { xdotool search --onlyvisible --classname '^moriv$' | wc -l; }
before=$(menus)
bus_call --object-path "$path" --method org.kde.StatusNotifierItem.Activate 100 100 > /dev/null
opened() { [ "$(menus)" -gt "$before" ]; }
poll 5 opened || fail "the click opened no menu"
xdotool key Escape

step "its menu holds the timer's entries; a click on Quit ends the timer"
layout=$(layout)
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

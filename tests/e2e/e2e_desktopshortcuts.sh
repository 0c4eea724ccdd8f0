#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# moriv --install-shortcuts and --remove-shortcuts on GNOME's custom shortcuts, in a private dconf
# on a private session bus: installing twice changes nothing, the user's own shortcut is kept
# (and its key left to it), and removing takes away exactly ours.
# Usage: e2e_desktopshortcuts.sh /path/to/moriv
set -euo pipefail
program=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/dbus.sh"
source "$here/../support/session.sh"
# dconf's database and the file through which it tells its readers of a change are this
# script's own.
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" XDG_CURRENT_DESKTOP=GNOME \
       GSETTINGS_BACKEND=dconf
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset SWAYSOCK
keys=org.gnome.settings-daemon.plugins.media-keys
mine=/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0/
dump() { dconf dump /org/gnome/settings-daemon/plugins/media-keys/; }
# dconf-service, started by the bus on first use, writes where the bus's environment says.
gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
    --method org.freedesktop.DBus.UpdateActivationEnvironment \
    "{'XDG_CONFIG_HOME': '$XDG_CONFIG_HOME', 'XDG_RUNTIME_DIR': '$XDG_RUNTIME_DIR'}" > /dev/null

step "the user's own shortcut holds Ctrl+Alt+D"
gsettings set $keys custom-keybindings "['$mine']"
gsettings set $keys.custom-keybinding:$mine name 'Mine'
gsettings set $keys.custom-keybinding:$mine binding '<Primary><Alt>d'

step "dconf cannot commit (its folder is a file now): the install fails and leaves nothing"
dump > "$work/before"
mv "$XDG_CONFIG_HOME/dconf" "$work/dconf" && touch "$XDG_CONFIG_HOME/dconf"
status=0
"$program" --install-shortcuts > /dev/null 2> "$work/commit.log" || status=$?
rm "$XDG_CONFIG_HOME/dconf" && mv "$work/dconf" "$XDG_CONFIG_HOME/dconf"
[ $status -eq 1 ] && grep -q '没有提交' "$work/commit.log" || fail "uncommitted, said ok"
dump | diff "$work/before" - || fail "the failed install changed the settings"

step "a key the system locks: the install is refused and writes nothing"
mkdir -p "$work/locked/locks"
echo "${mine%custom0/}moriv-reset/binding" > "$work/locked/locks/moriv"
dconf compile "$work/locked.db" "$work/locked"
printf 'user-db:user\nfile-db:%s\n' "$work/locked.db" > "$work/profile"
status=0
DCONF_PROFILE=$work/profile "$program" --install-shortcuts 2> "$work/locked.log" || status=$?
[ $status -eq 1 ] && grep -q 'moriv-reset/binding' "$work/locked.log" || fail "locked: said ok"
dump | diff "$work/before" - || fail "the refused install changed the settings"

step "install, twice"
"$program" --install-shortcuts | tee "$work/install.log"
grep -q 'Mine' "$work/install.log" || fail "the taken key was not mentioned"
dump > "$work/first"
"$program" --install-shortcuts > /dev/null
dump | diff "$work/first" - || fail "the second install changed the settings"
list=$(gsettings get $keys custom-keybindings)
echo "   $list"
[ "$(grep -o moriv- <<< "$list" | wc -l)" -eq 6 ] && [[ $list == "['$mine', "* ]] \
    || fail "the list is not the user's and our six"
grep -q "binding='<Primary><Alt>a'" "$work/first" || fail "Ctrl+Alt+A is not bound"
grep -q "command='$program --command start'" "$work/first" || fail "no start command"
grep -q "binding='<Primary><Alt>Page_Up'" "$work/first" || fail "a minute more is not Ctrl+Alt+PageUp"

step "with the session bus gone dconf cannot write: it says so and fails"
status=0
DBUS_SESSION_BUS_ADDRESS=unix:path=$work/gone "$program" --remove-shortcuts 2> "$work/nobus.log" \
    || status=$?
[ $status -eq 1 ] && grep -q '无法写入' "$work/nobus.log" || fail "no bus: said ok"

step "remove"
"$program" --remove-shortcuts
[ "$(gsettings get $keys custom-keybindings)" = "['$mine']" ] || fail "the list was not restored"
! dump | grep -q moriv || fail "left behind: $(dump | grep moriv)"
[ "$(gsettings get $keys.custom-keybinding:$mine binding)" = "'<Primary><Alt>d'" ] \
    || fail "the user's shortcut changed"
echo "desktop shortcuts: all steps passed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows setup under Wine on a display of its own: a silent install for this user (files,
# Start-menu shortcut, Apps & features entry), then the installed moriv.exe over a coloured
# backdrop: red digits with the backdrop right around them (no black box) and the mouse going
# through it, a counts, s pauses, f opens the dialog, and the settings file it makes is the
# default's 17 GB18030 bytes; last a silent reinstall and a silent uninstall, which leaves only
# the settings file. On the way, a right-click on a digit opens the menu above the counting
# strip, and --remote answers curl.
# Usage: e2e_windows.sh /path/to/moriv-VERSION-windows-x64-setup.exe
set -euo pipefail
setup=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../support/session.sh"
source "$here/../support/pixels.sh"
start_display 1024x768

wine=$(command -v wine64 || command -v wine) || fail "Wine is not installed"
# shellcheck disable=SC2012 # two fixed paths
wineserver=$(command -v wineserver || ls /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver \
             2>/dev/null | head -n1) || fail "no wineserver"
trap 'status=$?; "$wineserver" -k 2>/dev/null; "$wineserver" -w 2>/dev/null
      session_cleanup $status' EXIT
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$wine" wineboot --init > "$work/wineboot.log" 2>&1 || true
"$wineserver" -w
# Only what the setup installs: no Qt or MinGW folder on the DLL path, no plugin path.
unset WINEPATH QT_PLUGIN_PATH
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Moriv'
shortcut() { find "$WINEPREFIX/drive_c/users" -name Moriv.lnk; }
install_silently() { "$wine" "$setup" /S; "$wineserver" -w; }

step "silent install for this user"
install_silently
installed=$(find "$WINEPREFIX/drive_c/users" -path '*/AppData/Local/Programs/Moriv' -type d)
[ -f "$installed/moriv.exe" ] || fail "moriv.exe is not in %LOCALAPPDATA%\Programs\Moriv"
echo "   $(find "$installed" -type f | wc -l) files," \
     "$(du -sk "$installed" | cut -f1) KiB installed"
[ -n "$(shortcut)" ] || fail "no Start-menu shortcut"
"$wine" reg query "$key" /v UninstallString | grep -q 'uninstall.exe' || fail "no uninstall entry"
exe="$installed/moriv.exe"

step "start-up"
started=$(date +%s%N)
background "$work/program.log" "$wine" "$exe"
program_pid=$last_pid
poll 30 xdotool search --onlyvisible --name '^Moriv$' > /dev/null || fail "no timer window"
echo "   window on screen after $(( ($(date +%s%N) - started) / 1000000 )) ms"
xsetroot -solid '#285AC8'
clean_pixels() {
    read_area "$area"
    red=$(count '#FF0000') backdrop=$(count '#285AC8') black=$(count '#000000')
    [ "$red" -gt 100 ] && [ "$backdrop" -gt 100 ] && [ "$black" -eq 0 ]
}
check_pixels() {
    poll 5 clean_pixels || true
    echo "   $1: $red red, $backdrop backdrop, $black black pixels in $area"
    [ "$red" -gt 100 ] || fail "$1: no red digits"
    [ "$backdrop" -gt 100 ] || fail "$1: the backdrop does not show around the digits"
    [ "$black" -eq 0 ] || fail "$1: black shows around the digits"
}
# Wine may replace the first window of that name while the program starts: the one that stays,
# seen twice running and painted.
settled() {
    local newest
    newest=$(xdotool search --onlyvisible --name '^Moriv$' 2>/dev/null | sort -n | tail -n1)
    [ -n "$newest" ] && [ "$newest" = "${timer:-}" ] && clean_pixels && return 0
    timer=$newest
    [ -n "$timer" ] && eval "$(xdotool getwindowgeometry --shell "$timer" 2>/dev/null)" \
        && area="${WIDTH}x${HEIGHT}+${X}+${Y}"
    return 1
}
timer="" area=1x1+0+0
poll 30 settled || true
check_pixels "idle"
import -window root -crop "$area" "$work/idle.png"

step "the pointer over the black around the digits is over the desktop, over a digit on the timer"
under() { xdotool mousemove "$1" "$2" getmouselocation --shell | sed -n 's/^WINDOW=//p'; }
pixel=$(grep -i '#285AC8' "$work/area.txt" | sed -n 1p | cut -d: -f1)
[ "$(under $((X + ${pixel%,*})) $((Y + ${pixel#*,})))" != "$timer" ] \
    || fail "the keyed-out pixels take the mouse"
pixel=$(grep -i '#FF0000' "$work/area.txt" | sed -n '20p' | cut -d: -f1)
[ "$(under $((X + ${pixel%,*})) $((Y + ${pixel#*,})))" = "$timer" ] \
    || fail "a digit is not the timer's"

step "a click on the digits, then a counts"
xdotool click 1
counted() {
    import -window root -crop "$area" "$work/counting.png"
    changed=$(compare -metric AE "$work/idle.png" "$work/counting.png" null: 2>&1 || true)
    [ "${changed%% *}" -gt 20 ]
}
# Wine takes the click in its own time, and a key that comes first is lost. a while counting
# does nothing, so it is pressed again until the count runs.
press_a() { xdotool type a; poll 1.5 counted; }
poll 10 press_a || true
echo "   ${changed%% *} pixels changed"
[ "${changed%% *}" -gt 20 ] || fail "the digits did not change after a"
check_pixels "counting"

step "a right-click on a digit opens the menu, beside the counting strip and above it"
# Wine shows a layered window without blending its alpha, so there only the lit pixels are the
# timer's (Windows' compositor makes the digits' cells the timer's, hollows included).
read_area "$area"
pixel=$(grep -i '#FF0000' "$work/area.txt" | sed -n '20p' | cut -d: -f1)
windows_now=$(xdotool search --onlyvisible --name . | sort)
xdotool mousemove $((X + ${pixel%,*})) $((Y + ${pixel#*,})) click 3
menu_window() { menu=$(comm -13 <(echo "$windows_now") <(xdotool search --onlyvisible \
                          --name . | sort) | head -n1); [ -n "$menu" ]; }
poll 10 menu_window || fail "a right-click on a digit opened no menu"
read -r menu_X menu_Y menu_WIDTH menu_HEIGHT < <(place_of "$menu")
menu_area="${menu_WIDTH}x${menu_HEIGHT}+${menu_X}+${menu_Y}"
steady 2.2 red_pixels "$menu_area" && [ "$(red_pixels "$menu_area")" -eq 0 ] \
    || fail "red digits inside the open menu at $menu_area"
[ -z "${MORIV_E2E_SHOTS:-}" ] || import -window root "$MORIV_E2E_SHOTS/wine-menu-counting.png"
xdotool key Escape
poll 5 not menu_window || fail "Escape did not close the menu"
xdotool click 1 # the timer has the keys again

step "s pauses"
xdotool type s
digits() { import -window root -crop "$area" -depth 8 rgb:- | md5sum; }
# A running count changes its digits every second: still for 1.5 s is paused.
poll 5 steady 1.5 digits || fail "the digits still change after s"

step "f opens the dialog"
xdotool type f
poll 10 xdotool search --onlyvisible --name '^(Settings|自定义设置)$' > /dev/null \
    || fail "no settings dialog"
echo "   the settings dialog is open"

step "the default settings file"
file=$(find "$WINEPREFIX/drive_c" -path '*MorivTemp/sys.txt' | head -n1)
[ -n "$file" ] || fail "no settings file under drive C:"
echo "   ${file#"$WINEPREFIX"/}: $(od -An -tx1 "$file" | tr -s ' \n' ' ')"
printf '\xb5\xb9\xbc\xc6\xca\xb1\xb1\xea\xcc\xe2\r\n 3 \r\n' | cmp - "$file" \
    || fail "the settings file is not the default's 17 GB18030 bytes"

step "moriv.exe --remote PORT answers curl: 200 with the token, 401 without"
stop "$program_pid"
"$wineserver" -w
port=$(free_port)
background "$work/remote.log" "$wine" "$exe" --remote "$port"
program_pid=$last_pid
token_file() { token=$(find "$WINEPREFIX/drive_c/users" -name remote-token | head -n1)
               [ -n "$token" ]; }
poll 30 token_file || fail "no remote-token written: $(tail -n5 "$work/remote.log")"
state() { curl -s -o "$work/state.json" -w '%{http_code}' "$@" "http://127.0.0.1:$port/v1/state"; }
answers() { [ "$(state -H "Authorization: Bearer $(tr -d '\r\n' < "$token")")" = 200 ]; }
poll 30 answers || fail "no 200 on $port: $(cat "$work/state.json" 2>&1; tail -n5 "$work/remote.log")"
echo "   GET /v1/state: $(cat "$work/state.json")"
[ "$(state)" = 401 ] || fail "without the token: $(state)"
stop "$program_pid"
"$wineserver" -w

step "silent reinstall, then silent uninstall"
install_silently
[ -f "$exe" ] || fail "the reinstall left no moriv.exe"
"$wine" "$installed/uninstall.exe" /S
"$wineserver" -w
[ ! -e "$installed" ] || fail "left behind: $(find "$installed")"
[ -z "$(shortcut)" ] || fail "the Start-menu shortcut is still there"
! "$wine" reg query "$key" > /dev/null 2>&1 || fail "the Apps & features entry is still there"
[ -f "$file" ] || fail "the uninstaller took the settings file"
echo "windows: all steps passed"

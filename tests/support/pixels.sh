# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# The colours on the X screen in an area (WIDTHxHEIGHT+X+Y), for the scripts that check what
# the timer shows. Source it after session.sh.
: "${work:?source session.sh first}"

# read_area AREA: reads the screen's pixels in the area, for count.
read_area() { import -window root -crop "$1" -depth 8 txt:- > "$work/area.txt"; }
# count COLOUR: how many pixels of the area read last have the colour (#RRGGBB).
count() { grep -ci "$1" "$work/area.txt" || true; }
# red_pixels AREA: the digits' red pixels in the area now.
red_pixels() { read_area "$1"; count '#FF0000'; }

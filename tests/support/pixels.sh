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
# cells AREA: the digits' cells in the area now, one a line from left to right, as "left right
# top bottom" in the area's coordinates: each run of columns that hold red pixels, from its
# top red row to its bottom one.
cells() {
    read_area "$1"
    cells_read
}
# cells_read: the same of the area read last (or of an image turned into $work/area.txt).
cells_read() {
    awk -F'[,: ]+' '/#FF0000/ { if (!($1 in top) || $2 < top[$1]) top[$1] = $2
                                if ($2 > bottom[$1]) bottom[$1] = $2 }
        END { for (x = 0; x <= 4096; x++) if (x in top) {
                  if (!open) { open = 1; left = x; t = top[x]; b = bottom[x] }
                  if (top[x] < t) t = top[x]
                  if (bottom[x] > b) b = bottom[x]
                  right = x
              } else if (open) { print left, right, t, b; open = 0 } }' "$work/area.txt"
}

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Each folder under src/ is a layer: its files include their own folder and the layers below
# it, never one above it or beside it. Includes name their folder ("settings/form2.h"). The
# platform is reached through its seam only: outside src/platform nothing includes what one
# platform's folder holds.
# Usage: layers.sh /path/to/src
set -euo pipefail
cd "$1"
declare -A rank=([clock]=0 [forms]=0 [platform]=0 [settings]=1 [session]=2 [remote]=2
                 [mainwindow]=3)
status=0
while IFS= read -r file; do
    layer=${file%%/*}
    [ -n "${rank[$layer]:-}" ] || { echo "no layer for the folder of $file"; status=1; continue; }
    while IFS= read -r included; do
        target=${included%%/*}
        if [ "$included" = "$target" ]; then
            echo "$file: #include \"$included\" does not name its folder"; status=1
        elif [ -z "${rank[$target]:-}" ]; then
            echo "$file: #include \"$included\" names no layer"; status=1
        elif [ "$target" != "$layer" ] && [ "${rank[$target]}" -ge "${rank[$layer]}" ]; then
            echo "$file ($layer) includes $included ($target), which is not below it"; status=1
        elif [ "$target" = platform ] && [ "$layer" != platform ] \
             && [[ $included == platform/*/* ]]; then
            echo "$file includes $included: outside the platform, only its seam"; status=1
        fi
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file" | grep -v '\.moc$' || true)
done < <(find . -mindepth 2 \( -name '*.cpp' -o -name '*.h' \) -printf '%P\n' | sort)
[ "$status" -eq 0 ] && echo "layers: every include names its folder and goes down"
exit "$status"

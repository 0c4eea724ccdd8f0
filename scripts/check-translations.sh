#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a user-visible text of the program has no English translation: lupdate, run on
# a copy of the translation file, must find nothing unfinished.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || lupdate=$(command -v lupdate)
copy=$(mktemp --suffix=.ts)
trap 'rm -f "$copy"' EXIT
cp translations/moriv_en.ts "$copy"
"$lupdate" -no-obsolete -locations none -target-language en src -ts "$copy" > /dev/null
unfinished=$(grep -c 'type="unfinished"' "$copy" || true)
texts=$(grep -c '<source>' "$copy")
echo "translations: $texts texts, $unfinished without an English translation"
if [ "$unfinished" -ne 0 ]; then
    grep -B1 'type="unfinished"' "$copy" | grep '<source>' >&2
    echo "run: $lupdate -no-obsolete -locations none src -ts translations/moriv_en.ts" >&2
    exit 1
fi

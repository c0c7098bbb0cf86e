#!/usr/bin/env bash
# Writes docs/starters/<profile>.png: each starter profile's printed pages for four rows of
# the shipped sample list (one name; a company, department and title; joint names; a long
# address with a building), side by side, as a first run prints them (fresh data folder,
# starter profiles, first-run honorific list, the sample sender).
#   scripts/starter-pages.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
OUT=docs/starters
cmake --build "$BUILD" --target hoplark-batch --parallel 2 >/dev/null
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
export QT_QPA_PLATFORM=offscreen HOME=$TMP/home XDG_RUNTIME_DIR=$TMP/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$OUT"
chmod 700 "$XDG_RUNTIME_DIR"

declare -A FILES=(
    ["はがき 縦書き"]=postcard-vertical ["はがき 横書き"]=postcard-horizontal
    ["往復はがき"]=reply-card ["長形3号封筒 縦書き"]=envelope-naga3
    ["長形4号封筒 縦書き"]=envelope-naga4 ["洋形4号封筒 横書き"]=envelope-you4
    ["A4 横書き"]=a4-horizontal
)
for profile in "${!FILES[@]}"; do
    "$BUILD/bin/hoplark-batch" print --data "$TMP/data" --profile "$profile" --codes ZAOEN \
        data/sample/addresses.csv --rows select:0,2,4,8 --sender 0 --pdf "$TMP/p.pdf" >/dev/null
    rm -f "$TMP"/page-*.png
    pdftoppm -r 60 -png "$TMP/p.pdf" "$TMP/page"
    pages=()
    for f in "$TMP"/page-*.png; do
        # A grey frame shows the paper's edge.
        pngtopnm "$f" | pnmmargin -color '#999999' 1 | pnmmargin -white 6 >"$f.pnm"
        pages+=("$f.pnm")
    done
    pnmcat -lr -white "${pages[@]}" | pnmtopng >"$OUT/${FILES[$profile]}.png"
    echo "$OUT/${FILES[$profile]}.png"
done

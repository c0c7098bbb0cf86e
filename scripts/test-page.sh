#!/usr/bin/env bash
# Writes docs/test-page.png: the position test page (位置調整の試し印刷) of the starter profile
# "はがき 縦書き", as hoplark-batch calibrate prints it to PDF, rendered by pdftoppm. Uses a
# private data folder and home, so nothing of the user's is read or changed.
#   scripts/test-page.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
BUILD=${1:-build}
OUT=$ROOT/docs/test-page.png

source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" poppler-utils

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOPLARK_TESTS=OFF >/dev/null
fi
cmake --build "$BUILD" --target hoplark-batch --parallel 2

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
export HOME=$TMP/home XDG_DATA_HOME=$TMP/home/.local/share XDG_CONFIG_HOME=$TMP/home/.config
export XDG_RUNTIME_DIR=$TMP/run LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

"$BUILD/bin/hoplark-batch" calibrate --data "$TMP/data" --profile "はがき 縦書き" \
    --pdf "$TMP/page.pdf"
pdftoppm -png -r 100 -singlefile "$TMP/page.pdf" "$TMP/page"
mkdir -p "$(dirname "$OUT")"
cp "$TMP/page.png" "$OUT"
echo "$OUT"

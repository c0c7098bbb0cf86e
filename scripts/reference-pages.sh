#!/usr/bin/env bash
# Writes tests/batch/reference/: the printed pages of two lists on the vertical postcard
# starter profile, with the sample sender, as a first run prints them: the job's trace
# (every drawing call) and the PDF's text (pdftotext -raw). The test ReferencePages compares
# hoplark-batch print against them, so a change meant to leave the pages alone (a faster
# writer, a smaller file) is shown to. Run it only when the pages are meant to change.
#   scripts/reference-pages.sh [BUILD_DIR]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
REF=tests/batch/reference
cmake --build "$BUILD" --target hoplark-batch --parallel 2 >/dev/null
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
export QT_QPA_PLATFORM=offscreen HOME=$TMP/home XDG_RUNTIME_DIR=$TMP/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
for list in data/sample/addresses.csv "$REF/generated.csv"; do
    name=$(basename "$list" .csv)
    "$BUILD/bin/hoplark-batch" print --data "$TMP/data-$name" --profile "はがき 縦書き" \
        --codes ZAOEN "$list" --sender 0 --pdf "$TMP/$name.pdf" --trace "$REF/$name.jsonl" >/dev/null
    pdftotext -raw "$TMP/$name.pdf" "$REF/$name.txt"
    echo "$REF/$name.jsonl $REF/$name.txt"
done

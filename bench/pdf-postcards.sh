#!/usr/bin/env bash
# Builds the postcard PDF benchmark in Release, runs it and lists the PDF's fonts.
#   bench/pdf-postcards.sh [PAGES=1000] [RUNS=5] [OUT.pdf]   (build folder: $BENCH_BUILD,
#   default build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BENCH_BUILD:-build-bench}"
out="${3:-/tmp/hoplark-bench-postcards.pdf}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOPLARK_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_pdf_postcards -j2 >/dev/null
"$build/bin/bench_pdf_postcards" "${1:-1000}" "${2:-5}" "$out"
pdfinfo "$out" | grep -E '^(Pages|Page size):'
pdffonts "$out"

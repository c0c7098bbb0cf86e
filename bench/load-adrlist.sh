#!/usr/bin/env bash
# Builds the address-list load benchmark in Release and runs it.
#   bench/load-adrlist.sh [ROWS] [RUNS] [cp932|utf-8]   (build folder: $BENCH_BUILD, default
#   build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BENCH_BUILD:-build-bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOPLARK_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_load_adrlist -j2 >/dev/null
"$build/bin/bench_load_adrlist" "$@"

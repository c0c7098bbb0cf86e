#!/usr/bin/env bash
# Builds the preview benchmark in Release and runs it.
#   bench/preview.sh [RUNS=200] [STEPS=5]     (build folder: $BENCH_BUILD, default build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BENCH_BUILD:-build-bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOPLARK_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_preview -j2 >/dev/null
"$build/bin/bench_preview" "$@"

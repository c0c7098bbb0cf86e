#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang into build-fuzz/ and runs each for SECONDS
# (default 20) over a copy of its corpus in fuzz/corpus/, so the committed seeds stay as they
# are. Exits non-zero when the build fails or a target crashes, leaks, hangs or hits undefined
# behaviour; the input that did it is kept in build-fuzz/run/<target>/ (crash-*, leak-*, ...)
# and can be replayed with: build-fuzz/<target> FILE
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}

source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" clang libclang-rt-14-dev

build=build-fuzz
cmake -S fuzz -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel

# The largest input worth trying per format: a few times the size of its largest seed.
declare -A max_len=([FuzzCsvList]=8192 [FuzzTagFile]=8192 [FuzzUserEnv]=2048 [FuzzSender]=2048
                    [FuzzPrinterSettings]=1024 [FuzzVCard]=4096)
failed=()
for target in FuzzCsvList FuzzVCard FuzzTagFile FuzzUserEnv FuzzSender FuzzPrinterSettings; do
    work=$PWD/$build/run/$target
    rm -rf "$work"
    mkdir -p "$work/corpus" "$work/tmp"
    cp fuzz/corpus/"$target"/* "$work/corpus/"
    # The targets write each input into a temporary folder; TMPDIR keeps it in the build.
    if TMPDIR=$work/tmp "$build/$target" -max_total_time="$seconds" -max_len="${max_len[$target]}" \
        -timeout=10 -artifact_prefix="$work/" "$work/corpus" >"$work/log" 2>&1; then
        echo "$target: $(grep -E '^Done [0-9]+ runs' "$work/log" || echo 'finished')"
    else
        echo "$target: FAILED (log: $work/log)" >&2
        grep -E -A40 '^==[0-9]+==ERROR|runtime error|ERROR: libFuzzer|Test unit written' \
            "$work/log" | head -60 >&2 || tail -40 "$work/log" >&2
        failed+=("$target")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: failed: ${failed[*]}" >&2
    exit 1
fi

#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test through CTest, then runs the fuzz targets of the file parsers for a short
# while. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHOPLARK_SANITIZE=ON >/dev/null
cmake --build build-test --parallel
cd build-test
ctest --output-on-failure --parallel "$(nproc)" --timeout 900
cd ..
# An install staged from the test build: desktop entry, metadata, manual pages, and the
# installed hoplark-batch seeding and printing from its own share/hoplark.
scripts/check-install.sh build-test
# A fuzz build that fails, or an input that crashes, leaks or hits undefined behaviour, fails
# the run.
scripts/fuzz.sh 20

#!/usr/bin/env bash
# Installs what is missing, builds a release build into build/ and starts hoplark.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOPLARK_TESTS=OFF >/dev/null
cmake --build build --parallel
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display available: cannot open the Hoplark window." >&2
    exit 1
fi
exec build/bin/hoplark "$@"

#!/usr/bin/env bash
# Builds a release build for /usr into build-deb/ and the Debian package of it with cpack;
# prints the package's path.
#   scripts/make-deb.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
# cpack needs dpkg-shlibdeps (dpkg-dev) to compute the library dependencies.
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" dpkg-dev
build=${1:-build-deb}
# Debian's hardening flags (fortified functions, stack protector, read-only relocations bound
# at start), given on every configure so a build folder never keeps older ones.
export DEB_BUILD_MAINT_OPTIONS=hardening=+bindnow
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOPLARK_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_CXX_FLAGS="$cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" --parallel
(cd "$build" && cpack -G DEB >/dev/null)
ls "$PWD/$build"/hoplark_*.deb

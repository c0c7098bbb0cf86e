# The packages the build, the program and the tests need (sourced by run.sh and test.sh).
BUILD_PACKAGES=(qt6-base-dev libgl-dev libgtest-dev cmake ninja-build g++ pkg-config
                fonts-ipafont-gothic fonts-ipafont-mincho fonts-ipamj-mincho poppler-utils)
# clang and libFuzzer for scripts/fuzz.sh; libFuzzer is in libclang-rt-14-dev, which clang's
# packages only recommend.
TEST_PACKAGES=(xvfb x11-apps netpbm cups printer-driver-cups-pdf clang libclang-rt-14-dev
               dpkg-dev lintian desktop-file-utils appstream man-db)

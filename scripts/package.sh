#!/usr/bin/env bash
# Builds the Debian package of the two programs: build-package/rockpile_<version>_amd64.deb.
# Installs what is missing first (the build's packages, and dpkg-dev for the dependencies
# that CPack reads from the binaries).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/deps.sh dpkg-dev file
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DPILE_BUILD_TESTS=OFF \
      -DPILE_BUILD_BENCH=OFF >/dev/null
cmake --build build-package -j "$(nproc 2>/dev/null || echo 2)"
rm -f build-package/rockpile_*.deb
(cd build-package && cpack -G DEB >/dev/null)
ls build-package/rockpile_*_amd64.deb

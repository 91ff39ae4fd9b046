#!/usr/bin/env bash
# Builds the Debian package tamborix_<version>_<arch>.deb into build-package/ (a release
# build of its own, without tests) and checks it with lintian. Install it with
#   sudo apt install ./build-package/tamborix_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
dir=build-package
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DTAMBORIX_BUILD_TESTS=OFF \
  -DTAMBORIX_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$dir" -j "$(nproc)"
(cd "$dir" && cpack -G DEB >/dev/null)
package=$(ls "$dir"/tamborix_*.deb)
lintian --fail-on error "$package"
echo "$package"

#!/usr/bin/env bash
# Builds the Debian package of quillbox: an optimised build in build-package/ (or $1), then
# CPack. The .deb's dependencies are read from the shared libraries the programs link.
# Install it with: sudo apt-get install ./build-package/quillbox_VERSION_ARCH.deb
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$here/build-package}"
"$here/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DQB_BUILD_TESTS=OFF \
  -DQB_BUILD_BENCH=OFF
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB -B "$build")
ls "$build"/quillbox_*.deb

#!/usr/bin/env bash
# Installs what is missing, builds everything from this checkout and runs every test:
# the unit and integration tests (ctest), the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then a short run of each fuzz target.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
jobs="$(nproc)"
"$here/scripts/setup.sh" "$here/build"
cmake --build "$here/build" -j"$jobs"
(cd "$here/build" && ctest --output-on-failure -j"$jobs" --timeout 600)
"$here/scripts/sanitize.sh"
"$here/scripts/fuzz.sh" "${QB_FUZZ_SECONDS:-5}"
echo "fuzz targets: no findings"

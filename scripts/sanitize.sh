#!/usr/bin/env bash
# Builds the unit tests (and the CLI they run) with AddressSanitizer and UndefinedBehavior-
# Sanitizer into build-asan/ and runs them. The desktop program, its widget and end-to-end
# tests, the benchmarks and the fuzz targets are left out: the fuzz targets have their own
# sanitizer build, and the rest would make a run from a fresh clone too long for the CI.
# Usage: scripts/sanitize.sh
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$here/build-asan"
# WORKAROUND: GCC 12 with the sanitizers reports -Wmaybe-uninitialized inside libstdc++'s
# <regex>; warnings stay errors in the ordinary build only.
"$here/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Debug -DQB_BUILD_GUI=OFF \
  -DQB_BUILD_BENCH=OFF -DQB_BUILD_FUZZ=OFF -DQB_WERROR=OFF \
  "-DCMAKE_CXX_FLAGS=-O1 -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake --build "$build" -j"$(nproc)"
# Leaks are reported except inside system libraries (tests/lsan.supp); any finding fails.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$here/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$build" && ctest --output-on-failure -j"$(nproc)" --timeout 900)

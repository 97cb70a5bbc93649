#!/usr/bin/env bash
# Builds the fuzz targets with clang, ASan and UBSan into build-fuzz/ and runs each of them.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 5)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-5}"
build="$here/build-fuzz"
"$here/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DQB_BUILD_FUZZ=ON -DQB_BUILD_GUI=OFF -DQB_WERROR=OFF -DQB_BUILD_TESTS=OFF -DQB_BUILD_BENCH=OFF \
  "-DCMAKE_CXX_FLAGS=-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined"
targets=$(cd "$here/fuzz" && ls *.cpp 2>/dev/null | sed 's/\.cpp$//')
[ -n "$targets" ] || { echo "no fuzz targets"; exit 0; }
cmake --build "$build" -j"$(nproc)" --target $targets
failed=0
for t in $targets; do
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  seeds="$here/fuzz/corpus/$t"
  dirs=("$corpus")
  [ -d "$seeds" ] && dirs+=("$seeds")
  echo "== fuzz $t for ${seconds}s"
  if ! (cd "$build" && ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/$t" -max_total_time="$seconds" \
        -rss_limit_mb=2048 -timeout=10 -print_final_stats=0 "${dirs[@]}" > "$build/$t.log" 2>&1); then
    tail -n 60 "$build/$t.log"
    failed=1
  fi
done
exit $failed

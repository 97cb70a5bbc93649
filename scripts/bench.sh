#!/usr/bin/env bash
# Builds and runs every benchmark (optimised build in build/); results go to build/bench/*.json.
# bench_notebook prints its table for a notebook of QB_BENCH_PAGES notes (default 100000; e.g.
# 10000 or 200000 to see how the costs scale).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh" "$here/build" -DCMAKE_BUILD_TYPE=Release
cmake --build "$here/build" -j"$(nproc)"
for b in "$here"/build/bench/bench_*; do
  [ -x "$b" ] || continue
  [ "$(basename "$b")" = bench_notebook ] && continue
  echo "== $(basename "$b")"
  "$b" --benchmark_out="$b.json" --benchmark_out_format=json "$@"
done
echo "== notebook"
"$here/build/bench/bench_notebook" "${QB_BENCH_PAGES:-100000}"
echo "== startup"
bash "$here/bench/startup.sh" "$here/build/app/quillbox" "$here/build/app/quillbox-cli"
echo "== cli through the program"
bash "$here/bench/cli_remote.sh" "$here/build/app/quillbox" "$here/build/app/quillbox-cli"
echo "== tray idle"
bash "$here/bench/tray_idle.sh" "$here/build/app/quillbox" "$here/build/app/quillbox-cli"

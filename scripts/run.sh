#!/usr/bin/env bash
# Builds quillbox and starts the desktop program with its default program folder
# (arguments are passed on, e.g. --home DIR or -m).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh" "$here/build"
cmake --build "$here/build" --target quillbox quillbox-cli -j"$(nproc)"
exec "$here/build/app/quillbox" "$@"

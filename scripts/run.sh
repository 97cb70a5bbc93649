#!/usr/bin/env bash
# Builds quillbox and starts it with its default program folder (arguments are passed on).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh" "$here/build"
cmake --build "$here/build" --target quillbox-cli -j"$(nproc)"
exec "$here/build/app/quillbox-cli" --version "$@"

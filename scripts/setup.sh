#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need (only those that are missing),
# then configures the build folder given as $1 (default: build).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
  build-essential cmake pkg-config git
  libicu-dev libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev qt6-qpa-plugins libx11-dev libxtst-dev libxcb1-dev
  xvfb xdotool trayer openbox fonts-dejavu-core fonts-wqy-microhei imagemagick
  alsa-utils dbus-daemon
  dpkg-dev desktop-file-utils appstream man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build="${1:-$here/build}"
shift || true
mkdir -p "$build"
cmake -S "$here" -B "$build" -DQB_WERROR=ON "$@" > "$build/configure.log" 2>&1 \
  || { cat "$build/configure.log"; exit 1; }

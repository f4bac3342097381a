#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, play and test Wispen,
# then configures and builds. Does nothing it does not need to.
# Usage: scripts/setup.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(liballegro4-dev libaldmb1-dev libjpgalleg4-dev libgtest-dev libgmock-dev
          libbenchmark-dev cmake g++ pkg-config xvfb xdotool x11-apps imagemagick
          libx11-dev x11-utils sox clang libclang-rt-14-dev libebur128-dev)

missing=()
for package in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

BUILD_DIR=${1:-build}
shift || true
cmake -S . -B "$BUILD_DIR" "$@" >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"

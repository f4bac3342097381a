#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds.
# Does nothing it does not need to.
#   --play: only what building and playing needs, and a build without tests
#           and benchmarks;
#   --package: only the tools and the build dependencies (debian/control)
#           that make the Debian package, and no build;
#   otherwise: everything the tests need too.
#   -B DIR, --build-dir DIR: the build directory (default: build).
# Every other argument goes to cmake and must be one word, e.g. -DNAME=VALUE;
# a bare word is refused, so that no argument is ever taken for a directory.
# Usage: scripts/setup.sh [--play] [-B DIR] [-DNAME=VALUE...]
#        scripts/setup.sh --package
set -euo pipefail
cd "$(dirname "$0")/.."

PLAY_PACKAGES=(liballegro4-dev libaldmb1-dev libjpgalleg4-dev cmake make g++ pkg-config)
PACKAGE_PACKAGES=(build-essential dpkg-dev debhelper)
TEST_PACKAGES=(libgtest-dev libgmock-dev libpng-dev libbenchmark-dev xvfb xauth xdotool x11-apps imagemagick
               libx11-dev x11-utils sox clang libclang-rt-14-dev libebur128-dev
               desktop-file-utils appstream lintian man-db build-essential dpkg-dev debhelper)

mode=test
BUILD_DIR=build
cmake_args=()
while [ $# -gt 0 ]; do
  case $1 in
    --play) mode=play ;;
    --package) mode=package ;;
    -B | --build-dir)
      if [ $# -lt 2 ]; then
        echo "setup: $1 needs a directory" >&2
        exit 2
      fi
      BUILD_DIR=$2
      shift ;;
    -?*) cmake_args+=("$1") ;;
    *)
      echo "setup: '$1' is no option; name the build directory with -B DIR" >&2
      exit 2 ;;
  esac
  shift
done
PACKAGES=("${PLAY_PACKAGES[@]}")
case $mode in
  package) PACKAGES+=("${PACKAGE_PACKAGES[@]}") ;;
  test) PACKAGES+=("${TEST_PACKAGES[@]}") ;;
esac

# as_root COMMAND...: as root, or through sudo; without either it stops
# and names what to run.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null; then
    sudo "$@"
  else
    echo "setup: not root and no sudo; as root, run: $*" >&2
    exit 1
  fi
}

missing=()
for package in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The package's build dependencies are the ones debian/control names, and
# dpkg-buildpackage builds it (scripts/package.sh).
if [ "$mode" = package ]; then
  if ! dpkg-checkbuilddeps 2>/dev/null; then
    echo "Installing the build dependencies of debian/control"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -qq --no-install-recommends ./
  fi
  exit 0
fi

# Said every time, as the cache keeps what the last run chose.
options=(-DWISPEN_TESTS=ON -DWISPEN_BENCH=ON)
[ "$mode" = test ] || options=(-DWISPEN_TESTS=OFF -DWISPEN_BENCH=OFF)
cmake -S . -B "$BUILD_DIR" "${options[@]}" ${cmake_args[@]+"${cmake_args[@]}"} >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"

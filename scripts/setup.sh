#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, then configures and builds.
# Does nothing it does not need to.
#   --play: only what building and playing needs, and a build without tests
#           and benchmarks;
#   --package: that, and the tools that make the Debian package;
#   otherwise: everything the tests need too.
#   -B DIR, --build-dir DIR: the build directory (default: build).
# Every other argument goes to cmake and must be one word, e.g. -DNAME=VALUE;
# a bare word is refused, so that no argument is ever taken for a directory.
# Usage: scripts/setup.sh [--play | --package] [-B DIR] [-DNAME=VALUE...]
set -euo pipefail
cd "$(dirname "$0")/.."

PLAY_PACKAGES=(liballegro4-dev libaldmb1-dev libjpgalleg4-dev cmake make g++ pkg-config)
PACKAGE_PACKAGES=(dpkg-dev)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-apps imagemagick
               libx11-dev x11-utils sox clang libclang-rt-14-dev libebur128-dev
               desktop-file-utils appstream lintian man-db dpkg-dev)

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

missing=()
for package in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "setup: not root and no sudo; as root, run: apt-get install ${missing[*]}" >&2
      exit 1
    fi
    SUDO="sudo"
  fi
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The package is built with Debian's hardening and optimisation flags. CMake
# reads no CPPFLAGS, so they (the fortified functions) go with the compiler's.
if [ "$mode" = package ]; then
  eval "$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
  export CXXFLAGS="$CPPFLAGS $CXXFLAGS"
fi

# Said every time, as the cache keeps what the last run chose.
options=(-DWISPEN_TESTS=ON -DWISPEN_BENCH=ON)
[ "$mode" = test ] || options=(-DWISPEN_TESTS=OFF -DWISPEN_BENCH=OFF)
cmake -S . -B "$BUILD_DIR" "${options[@]}" ${cmake_args[@]+"${cmake_args[@]}"} >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"

#!/usr/bin/env bash
# Sets everything up and runs every test: the normal build (unit, component and
# end-to-end tests), then the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer. WISPEN_CHECK_ARCH (for example i386,arm64) then
# builds and checks the package in a chroot of each architecture named
# (scripts/check-arch.sh), which takes up to half an hour each.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh -B build
(cd build && ctest --output-on-failure -j 2)

scripts/setup.sh -B build-asan -DWISPEN_SANITIZE=ON -DWISPEN_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build-asan && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j 2 -L unit)

IFS=, read -ra arches <<< "${WISPEN_CHECK_ARCH:-}"
for arch in "${arches[@]}"; do
  scripts/check-arch.sh "$arch"
done

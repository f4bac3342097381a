#!/usr/bin/env bash
# Builds the Debian packages with Debian's own tools from debian/:
# wispen_<version>_<arch>.deb (the program) and wispen-data_<version>_all.deb
# (its data), copied into the output directory, beside the source package,
# the .changes and the debug symbols, which stay in the build directory.
# dpkg-buildpackage runs from a clean copy of the tracked files, so nothing
# of a local build gets in. DEB_BUILD_OPTIONS is honoured (nocheck skips the
# unit tests).
# Usage: scripts/package.sh [output directory, default: the current one]
#        WISPEN_PACKAGE_BUILD names the build directory (default build-package).
set -euo pipefail
out=$(cd "${1:-.}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${WISPEN_PACKAGE_BUILD:-build-package}
case $build in /*) ;; *) build=$root/$build ;; esac

scripts/setup.sh --package
version=$(dpkg-parsechangelog -S Version)
rm -rf "$build"
mkdir -p "$build/wispen-$version"
git ls-files -z | tar -c --null -T - | tar -x -C "$build/wispen-$version"
(cd "$build/wispen-$version" && dpkg-buildpackage -us -uc -J"$(nproc)")
for deb in "$build/wispen_${version}_$(dpkg --print-architecture).deb" "$build/wispen-data_${version}_all.deb"; do
  cp "$deb" "$out/"
  echo "package: $out/$(basename "$deb"), $(stat -c %s "$deb") bytes"
done

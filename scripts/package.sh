#!/usr/bin/env bash
# Builds the Debian package wispen_<version>_<arch>.deb from a clean build
# with Debian's flags, installed under /usr: the game program stripped, the
# manual page and changelog compressed, the library dependencies worked out
# from the program by dpkg-shlibdeps. Checks it with lintian when installed.
# Usage: scripts/package.sh [output directory, default: the current one]
#        WISPEN_PACKAGE_BUILD names the build directory (default build-package).
set -euo pipefail
out=$(cd "${1:-.}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=${WISPEN_PACKAGE_BUILD:-build-package}
case $build in /*) ;; *) build=$root/$build ;; esac

rm -rf "$build"
scripts/setup.sh --package -B "$build" -DCMAKE_INSTALL_PREFIX=/usr

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
logged=$(sed -n '1s/^wispen (\([^)]*\)).*/\1/p' assets/changelog)
if [ "$version" != "$logged" ]; then
  echo "package: the project is version $version, assets/changelog ends at $logged" >&2
  exit 1
fi
arch=$(dpkg --print-architecture)
# dpkg-shlibdeps wants to stand in a source tree with a control file and the
# package's files under debian/<package>.
tree=$build/package
stage=$tree/debian/wispen
mkdir -p "$stage"
printf 'Source: wispen\n\nPackage: wispen\nArchitecture: any\n' > "$tree/debian/control"
DESTDIR="$stage" cmake --install "$build" >/dev/null

program=$stage/usr/lib/games/wispen/wispen
strip --strip-unneeded --remove-section=.comment --remove-section=.note "$program"
gzip -9n "$stage/usr/share/man/man6/wispen.6"
gzip -9n "$stage/usr/share/doc/wispen/changelog"
find "$stage" -type d -exec chmod 755 {} +
find "$stage" -type f -exec chmod 644 {} +
chmod 755 "$program" "$stage/usr/games/wispen"

depends=$(cd "$tree" && dpkg-shlibdeps -O -edebian/wispen/usr/lib/games/wispen/wispen | sed -n 's/^shlibs:Depends=//p')
[ -n "$depends" ] || { echo "package: dpkg-shlibdeps found no dependencies" >&2; exit 1; }

mkdir -p "$stage/DEBIAN"
(cd "$stage" && find usr -type f -printf '%P\n' | sort | sed 's|^|usr/|' | xargs md5sum) > "$stage/DEBIAN/md5sums"
cat > "$stage/DEBIAN/control" <<CONTROL
Package: wispen
Version: $version
Architecture: $arch
Maintainer: Wispen maintainers <maintainers@users.noreply.c-seed-0b8ff2d1.example>
Installed-Size: $(du -sk --exclude=DEBIAN "$stage" | cut -f1)
Depends: $depends
Section: games
Priority: optional
Description: small arcade game: a wisp among chasing souls
 You are a small blue wisp drifting through a night sky. Pale green souls
 appear and chase you; when two creatures touch they bounce apart and the
 faster hurts the slower. Ram the souls, collect the stars, avoid the
 spikes and write your name into the eight high scores.
 .
 Each player's settings and scores are kept in ~/.local/share/wispen.
CONTROL
chmod 644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"

deb=$out/wispen_${version}_${arch}.deb
dpkg-deb --root-owner-group -Zxz --build "$stage" "$deb" >/dev/null
echo "package: $deb, $(stat -c %s "$deb") bytes"
if command -v lintian >/dev/null; then
  # Running as root is what lintian warns about here, not the package.
  lintian --info "$deb" 2>&1 | grep -v 'running with root privileges' || true
fi

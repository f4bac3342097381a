#!/usr/bin/env bash
# Checks that the game plays the same games on another Debian architecture:
# builds the source package in a Debian 12 chroot of that architecture (the
# unit tests run in the build), installs it there, plays every replay of
# tests/replays/ through the installed "wispen --verify-replay" and runs the
# package's autopkgtests. The replays were recorded by the amd64 build, so
# each must come out in step. i386 runs natively; arm64 runs under
# qemu-user-static, several times slower. The chroot is made on the first
# run (debootstrap) and kept for the next.
# Usage: scripts/check-arch.sh i386|arm64|amd64
#        WISPEN_CHROOTS: where the chroots are kept (default /var/tmp/wispen-chroots)
#        WISPEN_MIRROR: the Debian mirror (default http://deb.debian.org/debian)
set -euo pipefail

# The whole script is one function, read before it starts: a run lasts half
# an hour, and bash would otherwise read an edited file from the middle.
main() {
arch=${1:-}
case $arch in
  i386 | arm64 | amd64) ;;
  *) echo "usage: scripts/check-arch.sh i386|arm64|amd64" >&2; exit 2 ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "check-arch: debootstrap and chroot need root" >&2; exit 1; }
root=$(cd "$(dirname "$0")/.." && pwd)
chroots=${WISPEN_CHROOTS:-/var/tmp/wispen-chroots}
mirror=${WISPEN_MIRROR:-http://deb.debian.org/debian}
tree=$chroots/bookworm-$arch
host=$(dpkg --print-architecture)
start=$(date +%s)
say() { echo "check-arch $arch: $* ($(($(date +%s) - start)) s)"; }

tools=(debootstrap dpkg-dev)
[ "$arch" = "$host" ] || [ "$host-$arch" = amd64-i386 ] || tools+=(qemu-user-static binfmt-support)
missing=()
for package in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if [ "$arch" = arm64 ] && [ "$host" != arm64 ]; then
  # A container's /proc may lack the registry of foreign binary formats.
  [ -e /proc/sys/fs/binfmt_misc/status ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  update-binfmts --enable qemu-aarch64 2>/dev/null || true
  [ -e /proc/sys/fs/binfmt_misc/qemu-aarch64 ] || { echo "check-arch: no qemu-aarch64 binary format" >&2; exit 1; }
fi

if [ ! -d "$tree" ]; then
  mkdir -p "$chroots"
  rm -rf "$tree.new"
  debootstrap --variant=minbase --arch="$arch" bookworm "$tree.new" "$mirror" > "$chroots/debootstrap-$arch.log" 2>&1 ||
    { tail -n 20 "$chroots/debootstrap-$arch.log"; echo "check-arch: debootstrap failed" >&2; exit 1; }
  mv "$tree.new" "$tree"
  say "chroot made"
fi

# The source package, from a clean copy of the tracked files.
work=$tree/build
rm -rf "$work"
mkdir -p "$work/src"
(cd "$root" && git ls-files -z | tar -c --null -T -) | tar -x -C "$work/src"
version=$(cd "$work/src" && dpkg-parsechangelog -S Version)
(cd "$work/src" && dpkg-source -b . >/dev/null)
mv "$work/src" "$work/source"
mounts=()
cleanup() {
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" || umount -l "${mounts[i]}" || true; done
}
trap cleanup EXIT
for fs in proc dev dev/pts; do
  mount --bind "/$fs" "$tree/$fs"
  mounts+=("$tree/$fs")
done

# i386 runs natively, so uname must say so: CMake and the tests ask it.
personality=()
[ "$arch" = i386 ] && personality=(setarch i686)
in_chroot() {
  "${personality[@]}" chroot "$tree" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LC_ALL=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}

in_chroot apt-get update -qq
in_chroot apt-get install -y -qq --no-install-recommends build-essential >/dev/null
in_chroot sh -c "cd /build && dpkg-source -x wispen_$version.dsc wispen-$version >/dev/null &&
  apt-get build-dep -y -qq --no-install-recommends ./wispen-$version >/dev/null"
say "build dependencies installed"

in_chroot sh -c "cd /build/wispen-$version && dpkg-buildpackage -us -uc -b -J$(nproc)" > "$work/build.log" 2>&1 ||
  { tail -n 60 "$work/build.log"; echo "check-arch $arch: the build failed (log: $work/build.log)" >&2; exit 1; }
tests=$(grep -E '^[0-9]+% tests passed' "$work/build.log" | tail -n 1)
say "built; unit tests: $tests"

in_chroot sh -c "cd /build && apt-get install -y -qq --no-install-recommends ./wispen_${version}_$arch.deb ./wispen-data_${version}_all.deb >/dev/null"
status=0
for replay in "$work"/wispen-"$version"/tests/replays/*.rpl; do
  in_chroot sh -c "cd /build/wispen-$version && /usr/games/wispen --verify-replay tests/replays/$(basename "$replay")" || status=1
done
say "replays verified"

in_chroot apt-get install -y -qq --no-install-recommends autopkgtest xvfb xauth >/dev/null
in_chroot sh -c "cd /build && autopkgtest --no-built-binaries ./wispen-$version -- null" > "$work/autopkgtest.log" 2>&1 ||
  { tail -n 30 "$work/autopkgtest.log"; echo "check-arch $arch: autopkgtest failed (log: $work/autopkgtest.log)" >&2; status=1; }
sed -n '/@@@@ summary/,$p' "$work/autopkgtest.log" | tail -n +2
say "done"
return $status
}

main "$@"

#!/usr/bin/env bash
# Checks that the game plays the same games on another Debian architecture:
# builds the source package in a Debian 12 chroot of that architecture (the
# unit tests run in the build), installs it there, plays every replay of
# tests/replays/ through the installed "wispen --verify-replay" and runs the
# package's autopkgtests. The replays were recorded by the amd64 build, so
# each must come out in step. Every release architecture of Debian 12 is
# accepted: the host's own and i386 on an amd64 kernel that runs 32-bit
# programs run natively; the others run under qemu-user-static, several
# times slower. The chroot is made on the first run (debootstrap) and kept
# for the next.
# Usage: scripts/check-arch.sh amd64|arm64|armel|armhf|i386|mips64el|ppc64el|s390x
#        WISPEN_CHROOTS: where the chroots are kept (default /var/tmp/wispen-chroots)
#        WISPEN_MIRROR: the Debian archive (default: the first bookworm main
#        source of this machine's apt sources)
set -euo pipefail

# The whole script is one function, read before it starts: a run lasts half
# an hour, and bash would otherwise read an edited file from the middle.
main() {
arch=${1:-}
# Each architecture with the binary format qemu-user-static registers for it.
declare -A emulator=([amd64]=qemu-x86_64 [arm64]=qemu-aarch64 [armel]=qemu-arm [armhf]=qemu-arm [i386]=qemu-i386
  [mips64el]=qemu-mips64el [ppc64el]=qemu-ppc64le [s390x]=qemu-s390x)
[ -n "$arch" ] && [ -n "${emulator[$arch]:-}" ] ||
  { echo "usage: scripts/check-arch.sh amd64|arm64|armel|armhf|i386|mips64el|ppc64el|s390x" >&2; exit 2; }
[ "$(id -u)" -eq 0 ] || { echo "check-arch: debootstrap and chroot need root" >&2; exit 1; }
root=$(cd "$(dirname "$0")/.." && pwd)
chroots=${WISPEN_CHROOTS:-/var/tmp/wispen-chroots}
mirror=${WISPEN_MIRROR:-$(apt_mirror)}
[ -n "$mirror" ] ||
  { echo "check-arch: no bookworm main source in the apt sources; name the archive in WISPEN_MIRROR" >&2; exit 1; }
tree=$chroots/bookworm-$arch
host=$(dpkg --print-architecture)
start=$(date +%s)
say() { echo "check-arch $arch: $* ($(($(date +%s) - start)) s)"; }

native=false
[ "$arch" = "$host" ] && native=true
[ "$host-$arch" = amd64-i386 ] && runs_32_bit_x86 && native=true
tools=(debootstrap dpkg-dev)
$native || tools+=(qemu-user-static binfmt-support xvfb)
missing=()
for package in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
if ! $native; then
  format=${emulator[$arch]}
  # A container's /proc may lack the registry of foreign binary formats.
  [ -e /proc/sys/fs/binfmt_misc/status ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  update-binfmts --enable "$format" 2>/dev/null || true
  # qemu-user-static leaves out its own host's family, so on an amd64 kernel
  # without 32-bit support qemu-i386 is registered here, as qemu's own
  # binfmt script would: fixed, so it runs inside the chroot too.
  if [ "$arch" = i386 ] && [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      > /proc/sys/fs/binfmt_misc/register
  fi
  [ -e "/proc/sys/fs/binfmt_misc/$format" ] || { echo "check-arch: no $format binary format" >&2; exit 1; }
  say "runs under $format"
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
host_x=""
cleanup() {
  [ -z "$host_x" ] || kill "$host_x" 2>/dev/null || true
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount "${mounts[i]}" || umount -l "${mounts[i]}" || true; done
}
trap cleanup EXIT
for fs in proc dev dev/pts; do
  mount --bind "/$fs" "$tree/$fs"
  mounts+=("$tree/$fs")
done

# On an amd64 kernel uname must say i686 in an i386 chroot: CMake and the
# tests ask it. (qemu-i386 says so by itself.)
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
for replay in "$work"/wispen-"$version"/tests/replays/*/*.rpl; do
  in_chroot sh -c "cd /build/wispen-$version && /usr/games/wispen --verify-replay ${replay#"$work/wispen-$version/"}" ||
    status=1
done
say "replays verified"

in_chroot apt-get install -y -qq --no-install-recommends autopkgtest xvfb xauth >/dev/null
# An emulated architecture's own Xvfb runs under the emulator too, and under
# qemu-mips64el it takes no clients (its own xkbbell cannot connect either),
# so there the game is shown on an Xvfb of the host's.
display_env=""
if ! $native; then
  display=$((100 + RANDOM % 4000))
  while [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  host_x=$!
  mkdir -p "$tree/tmp/.X11-unix"
  mount --bind /tmp/.X11-unix "$tree/tmp/.X11-unix"
  mounts+=("$tree/tmp/.X11-unix")
  display_env="--env=WISPEN_TEST_DISPLAY=:$display"
  sleep 2
fi
in_chroot sh -c "cd /build && autopkgtest --no-built-binaries $display_env ./wispen-$version -- null" > "$work/autopkgtest.log" 2>&1 ||
  { tail -n 30 "$work/autopkgtest.log"; echo "check-arch $arch: autopkgtest failed (log: $work/autopkgtest.log)" >&2; status=1; }
sed -n '/@@@@ summary/,$p' "$work/autopkgtest.log" | tail -n +2
say "done"
return $status
}

# The machine's own Debian archive: the first source of bookworm's main
# component in its apt sources, deb822 files first, then the one-line list.
apt_mirror() {
  {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -r "$file" ] || continue
    awk '
      function flush() {
        if (deb && suite && main && !off && uri != "") { print uri; found = 1; exit }
        deb = suite = main = off = 0; uri = ""
      }
      /^[ \t]*#/ { next }
      /^[ \t]*$/ { flush(); next }
      tolower($1) == "types:" { for (i = 2; i <= NF; i++) if ($i == "deb") deb = 1 }
      tolower($1) == "uris:" { uri = $2 }
      tolower($1) == "suites:" { for (i = 2; i <= NF; i++) if ($i == "bookworm") suite = 1 }
      tolower($1) == "components:" { for (i = 2; i <= NF; i++) if ($i == "main") main = 1 }
      tolower($1) == "enabled:" && tolower($2) == "no" { off = 1 }
      END { if (!found) flush() }' "$file"
  done
  [ -r /etc/apt/sources.list ] && awk '
    $1 == "deb" {
      i = 2
      if ($i ~ /^\[/) { while (i < NF && $i !~ /\]$/) i++; i++ }
      if ($(i + 1) == "bookworm") for (j = i + 2; j <= NF; j++) if ($j == "main") { print $i; exit }
    }' /etc/apt/sources.list
  } | head -n 1
  # No source found is said by the caller; a lister cut short by head, or a
  # missing sources.list, is no failure here.
  return 0
}

# Whether this kernel runs 32-bit x86 programs: some virtual machines' kernels
# are built without it. The probe is the smallest static i386 program, exit(7);
# where qemu-i386 is registered already, it runs through that just as well.
runs_32_bit_x86() {
  local probe status=0
  probe=$(mktemp)
  printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\010\064\0\0\0\0\0\0\0\0\0\0\0\064\0\040\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\010\0\200\4\010\135\0\0\0\135\0\0\0\5\0\0\0\0\020\0\0\270\1\0\0\0\263\7\315\200' > "$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  [ "$status" -eq 7 ]
}

main "$@"

#!/usr/bin/env bash
# The Debian packages as dpkg-buildpackage builds them from debian/ through
# scripts/package.sh (without the unit tests, which the suite runs anyway):
# the program and its data in their two packages in the installed layout,
# lintian --pedantic on the .changes (source and binaries) with no error and
# no warning, the desktop entry and AppStream metadata valid, the manual page
# rendering without warnings, and the packages unpacked elsewhere running
# through their own launcher.
E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-900}
source "$(dirname "$0")/lib.sh"
: "${WISPEN_DATA_FILES:?WISPEN_DATA_FILES must list the data files}"
: "${WISPEN_ICON_SIZES:?WISPEN_ICON_SIZES must list the icon sizes}"

DEB_BUILD_OPTIONS=nocheck WISPEN_PACKAGE_BUILD="$E2E_DIR/build" bash "$WISPEN_SOURCE_DIR/scripts/package.sh" "$E2E_DIR" > package.out 2>&1 ||
  { tail -n 80 package.out; fail "scripts/package.sh failed"; }
deb=$(ls "$E2E_DIR"/wispen_*_"$(dpkg --print-architecture)".deb) || fail "no program .deb"
data_deb=$(ls "$E2E_DIR"/wispen-data_*_all.deb) || fail "no data .deb"
changes=$(ls "$E2E_DIR"/build/wispen_*.changes) || fail "no .changes"
grep -q '^ .*\.dsc$' "$changes" || fail "the .changes holds no source package"

# contains DEB PATH...: each path is in the package.
contains() {
  local package=$1
  shift
  dpkg-deb --contents "$package" | awk '{ print $6 }' > contents.txt
  for path in "$@"; do
    grep -qx "$path" contents.txt || fail "$path is not in $(basename "$package")"
  done
}
icons=()
for size in $WISPEN_ICON_SIZES; do
  icons+=("./usr/share/icons/hicolor/${size}x${size}/apps/wispen.png")
done
contains "$deb" ./usr/games/wispen ./usr/lib/games/wispen/wispen \
  ./usr/share/applications/org.wispen.Wispen.desktop ./usr/share/metainfo/org.wispen.Wispen.metainfo.xml \
  ./usr/share/man/man6/wispen.6.gz ./usr/share/doc/wispen/copyright ./usr/share/doc/wispen/changelog.gz "${icons[@]}"
grep -q '^./usr/share/games/' contents.txt && fail "the program's package holds data"
data_paths=()
for file in $WISPEN_DATA_FILES; do
  data_paths+=("./usr/share/games/wispen/$file")
done
contains "$data_deb" "${data_paths[@]}" ./usr/share/games/wispen/Wispen.ini ./usr/share/doc/wispen-data/copyright
for package in "$deb" "$data_deb"; do
  [ "$(dpkg-deb --field "$package" Section)" = games ] || fail "$(basename "$package") is not in section games"
done
depends=$(dpkg-deb --field "$deb" Depends)
[[ $depends == *liballegro4* && $depends == *"wispen-data (= "* ]] || fail "the program depends on: $depends"

command -v lintian >/dev/null || fail "lintian is not installed"
# Running as root is what lintian warns about here, not the packages.
lintian --pedantic "$changes" 2>&1 | grep -v 'running with root privileges' > lintian.out
grep -E '^(E|W):' lintian.out && fail "lintian --pedantic reports errors or warnings"

dpkg -x "$deb" unpacked
dpkg -x "$data_deb" unpacked
desktop-file-validate unpacked/usr/share/applications/org.wispen.Wispen.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net unpacked/usr/share/metainfo/org.wispen.Wispen.metainfo.xml > appstream.out 2>&1 ||
  { cat appstream.out; fail "appstreamcli validate"; }
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 unpacked/usr/share/man/man6/wispen.6.gz 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page warns: $warnings"

mkdir -p "$E2E_DIR/launcher-programs"
for program in sh readlink dirname mkdir ln mv rm cp; do
  ln -sf "$(command -v "$program")" "$E2E_DIR/launcher-programs/$program"
done
mkdir -p home/.local/share/wispen
printf '%s\n' "[GENERAL]" "fullscreen = 0" "" > home/.local/share/wispen/Wispen.ini
printf '#!/bin/sh\nPATH=%s exec %s "$@"\n' "$E2E_DIR/launcher-programs" "$E2E_DIR/unpacked/usr/games/wispen" > wispen
chmod +x wispen
start_game -u XDG_DATA_HOME
wait_window
sleep 0.3
leave_game
[ "$(readlink home/.local/share/wispen/data.dat)" = "$E2E_DIR/unpacked/usr/share/games/wispen/data.dat" ] || fail "data.dat does not point into the unpacked package"
pass

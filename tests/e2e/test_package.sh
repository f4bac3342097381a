#!/usr/bin/env bash
# The Debian package, built by scripts/package.sh from a clean build: it
# holds the installed layout, lintian finds no error in it, the desktop entry
# and AppStream metadata validate, the manual page renders without warnings,
# and the package unpacked elsewhere runs through its own launcher.
E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-900}
source "$(dirname "$0")/lib.sh"

WISPEN_PACKAGE_BUILD="$E2E_DIR/build" bash "$WISPEN_SOURCE_DIR/scripts/package.sh" "$E2E_DIR" > package.out 2>&1 ||
  { cat package.out; fail "scripts/package.sh failed"; }
deb=$(ls "$E2E_DIR"/wispen_*_amd64.deb) || fail "no .deb"
dpkg-deb --contents "$deb" | awk '{ print $6 }' > contents.txt
for path in ./usr/games/wispen ./usr/lib/games/wispen/wispen ./usr/share/games/wispen/data.dat \
            ./usr/share/games/wispen/wispen.it ./usr/share/games/wispen/story ./usr/share/games/wispen/Wispen.ini \
            ./usr/share/applications/org.wispen.Wispen.desktop ./usr/share/metainfo/org.wispen.Wispen.metainfo.xml \
            ./usr/share/man/man6/wispen.6.gz ./usr/share/doc/wispen/copyright ./usr/share/doc/wispen/changelog.gz; do
  grep -qx "$path" contents.txt || fail "$path is not in the package"
done
for size in 16 32 48 64 128 256; do
  grep -qx "./usr/share/icons/hicolor/${size}x${size}/apps/wispen.png" contents.txt || fail "no ${size}px icon"
done
[ "$(dpkg-deb --field "$deb" Section)" = games ] || fail "the section is not games"
dpkg-deb --field "$deb" Depends | grep -q liballegro4 || fail "the dependencies lack Allegro"
command -v lintian >/dev/null || fail "lintian is not installed"
lintian "$deb" > lintian.out 2>&1
grep -q '^E:' lintian.out && { cat lintian.out; fail "lintian reports errors"; }

dpkg -x "$deb" unpacked
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

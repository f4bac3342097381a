#!/usr/bin/env bash
# No room to write: a full file system, and a limit of 64 bytes per file,
# which lets each new file begin and then fails the rest of it. The game plays
# a whole session and quits with status 0, and the old Wispen.ini and
# wispen.hsc are still there, byte for byte, with no half-written file beside
# them. Once there is room, the same session does write both.
source "$(dirname "$0")/lib.sh"
: "${E2E_DIR:?the harness did not start}"

OLD_INI=$'[GENERAL]\nfullscreen = 0\n\n[SPEED]\nshowFPS = 0\n'
"$WISPEN_HSC_TOOL" fill full.hsc 9999 || fail "could not prepare a table"
# A short table: any rewrite makes it 96 bytes long.
head -c 50 full.hsc > old.hsc
printf '%s' "$OLD_INI" > old.ini

# prepare DIR: the old files in DIR and the rest of the run directory linked.
prepare() {
  mkdir -p "$1"
  ln -sf "$E2E_DIR/wispen" "$E2E_DIR/data.dat" "$E2E_DIR/wispen.it" "$E2E_DIR/story" "$1/"
  cp old.ini "$1/Wispen.ini"
  cp old.hsc "$1/wispen.hsc"
}

# untouched DIR [EXTRA...]: the old files are as they were and nothing but
# the EXTRA names and the game's empty lock file was added.
untouched() {
  local dir=$1 expected
  shift
  cmp -s old.ini "$dir/Wispen.ini" || fail "Wispen.ini changed: $(tr '\n' ' ' < "$dir/Wispen.ini")"
  cmp -s old.hsc "$dir/wispen.hsc" || fail "wispen.hsc changed ($(stat -c %s "$dir/wispen.hsc") bytes)"
  expected=$(printf '%s\n' Wispen.ini Wispen.lock data.dat story wispen wispen.hsc wispen.it "$@" | sort | tr '\n' ' ')
  [ "$(ls -A "$dir" | sort | tr '\n' ' ')" = "$expected" ] || fail "files left behind: $(ls -A "$dir" | tr '\n' ' ')"
}

# written DIR: the session's settings and a whole table replaced the old files.
written() {
  grep -qE '^showFPS *= *1' "$1/Wispen.ini" || fail "Wispen.ini was not written: $(tr '\n' ' ' < "$1/Wispen.ini")"
  [ "$(stat -c %s "$1/wispen.hsc")" = 96 ] || fail "wispen.hsc was not rewritten"
}

session_in() {
  cd "$1" || fail "no directory $1"
  saving_session
  cd "$E2E_DIR" || exit 1
}

# Every write beyond 64 bytes of a file fails; the signal that would end the
# game for it is ignored, as a shell may leave it, so the game sees the error.
E2E_CASE="64 bytes a file"
prepare "$E2E_DIR/limited"
trap '' XFSZ
E2E_LAUNCHER="/usr/bin/prlimit --fsize=64 --" session_in "$E2E_DIR/limited"
trap - XFSZ
untouched "$E2E_DIR/limited"
E2E_CASE="64 bytes a file, then without the limit"
session_in "$E2E_DIR/limited"
written "$E2E_DIR/limited"

E2E_CASE="a full file system"
mkdir -p "$E2E_DIR/full"
if mount -t tmpfs -o size=256k tmpfs "$E2E_DIR/full" 2>/dev/null; then
  trap 'umount "$E2E_DIR/full" 2>/dev/null; _e2e_cleanup' EXIT
  prepare "$E2E_DIR/full"
  cat /dev/zero > "$E2E_DIR/full/filler" 2>/dev/null
  [ "$(df --output=avail "$E2E_DIR/full" | tail -n 1 | tr -d ' ')" = 0 ] || fail "could not fill the file system"
  session_in "$E2E_DIR/full"
  untouched "$E2E_DIR/full" filler
  E2E_CASE="a full file system, then with room"
  rm "$E2E_DIR/full/filler"
  session_in "$E2E_DIR/full"
  written "$E2E_DIR/full"
else
  echo "$E2E_NAME: mounting is not allowed here; the full file system is left out"
fi
pass

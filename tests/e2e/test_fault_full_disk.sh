#!/usr/bin/env bash
# No room to write: a full file system, and a limit of 64 bytes per file,
# which lets each new file begin and then fails the rest of it. The game plays
# a whole session and quits with status 0, and the old Wispen.ini and
# wispen.hsc are still there, byte for byte, with no half-written file beside
# them. Once there is room, the same session does write both.
source "$(dirname "$0")/lib.sh"
: "${E2E_DIR:?the harness did not start}"

old_player_files

# Every write beyond 64 bytes of a file fails; the signal that would end the
# game for it is ignored, as a shell may leave it, so the game sees the error.
E2E_CASE="64 bytes a file"
player_dir "$E2E_DIR/limited"
trap '' XFSZ
E2E_LAUNCHER="/usr/bin/prlimit --fsize=64 --" session_in "$E2E_DIR/limited"
trap - XFSZ
untouched "$E2E_DIR/limited" Wispen.lock
E2E_CASE="64 bytes a file, then without the limit"
session_in "$E2E_DIR/limited"
written "$E2E_DIR/limited"

E2E_CASE="a full file system"
mkdir -p "$E2E_DIR/full"
if mount -t tmpfs -o size=256k tmpfs "$E2E_DIR/full" 2>/dev/null; then
  trap 'umount "$E2E_DIR/full" 2>/dev/null; _e2e_cleanup' EXIT
  player_dir "$E2E_DIR/full"
  cat /dev/zero > "$E2E_DIR/full/filler" 2>/dev/null
  [ "$(df --output=avail "$E2E_DIR/full" | tail -n 1 | tr -d ' ')" = 0 ] || fail "could not fill the file system"
  session_in "$E2E_DIR/full"
  untouched "$E2E_DIR/full" Wispen.lock filler
  E2E_CASE="a full file system, then with room"
  rm "$E2E_DIR/full/filler"
  session_in "$E2E_DIR/full"
  written "$E2E_DIR/full"
else
  echo "$E2E_NAME: mounting is not allowed here; the full file system is left out"
fi
pass

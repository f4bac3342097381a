#!/usr/bin/env bash
# A working directory the game cannot write to: it plays a whole session
# (options changed, high-score list opened, a game started) and quits with
# status 0, and the old Wispen.ini and wispen.hsc are still there, byte for
# byte, with nothing left beside them. Root writes through permission bits, so
# the game runs as the user nobody in a directory of root's, and as root on a
# file system mounted read-only. The same session in a writable directory does
# change both files, so the comparison can fail.
source "$(dirname "$0")/lib.sh"
: "${E2E_DIR:?the harness did not start}"

old_player_files

# As nobody: the scratch directory must let nobody in, and the X server's
# cookie must be readable by nobody.
E2E_CASE="as nobody in root's directory"
chmod 755 "$E2E_DIR"
player_dir "$E2E_DIR/locked"
cp "$XAUTHORITY" "$E2E_DIR/xauthority"
chmod 644 "$E2E_DIR/xauthority"
setpriv --reuid=65534 --regid=65534 --clear-groups test -w "$E2E_DIR/locked" &&
  fail "nobody can write to the directory"
XAUTHORITY="$E2E_DIR/xauthority" \
  E2E_LAUNCHER="/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups" session_in "$E2E_DIR/locked"
untouched "$E2E_DIR/locked"

E2E_CASE="the same session where it can write"
session_in "$E2E_DIR/locked"
written "$E2E_DIR/locked"

# As root on a read-only file system, where mounting is allowed.
E2E_CASE="read-only file system"
mkdir -p "$E2E_DIR/readonly"
if mount -t tmpfs -o size=1m tmpfs "$E2E_DIR/readonly" 2>/dev/null; then
  trap 'umount "$E2E_DIR/readonly" 2>/dev/null; _e2e_cleanup' EXIT
  player_dir "$E2E_DIR/readonly"
  mount -o remount,ro "$E2E_DIR/readonly" || fail "could not make the file system read-only"
  session_in "$E2E_DIR/readonly"
  untouched "$E2E_DIR/readonly"
else
  echo "$E2E_NAME: mounting is not allowed here; the read-only case is left out"
fi
pass

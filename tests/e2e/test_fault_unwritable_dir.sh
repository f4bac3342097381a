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

# untouched DIR: the old files are as they were and nothing was added.
untouched() {
  cmp -s old.ini "$1/Wispen.ini" || fail "Wispen.ini changed: $(tr '\n' ' ' < "$1/Wispen.ini")"
  cmp -s old.hsc "$1/wispen.hsc" || fail "wispen.hsc changed ($(stat -c %s "$1/wispen.hsc") bytes)"
  [ "$(ls -A "$1" | sort | tr '\n' ' ')" = "Wispen.ini data.dat story wispen wispen.hsc wispen.it " ] ||
    fail "files left behind: $(ls -A "$1" | tr '\n' ' ')"
}

# session_in DIR: saving_session with DIR as the working directory.
session_in() {
  cd "$1" || fail "no directory $1"
  saving_session
  cd "$E2E_DIR" || exit 1
}

# As nobody: the scratch directory must let nobody in, and the X server's
# cookie must be readable by nobody.
E2E_CASE="as nobody in root's directory"
chmod 755 "$E2E_DIR"
prepare "$E2E_DIR/locked"
cp "$XAUTHORITY" "$E2E_DIR/xauthority"
chmod 644 "$E2E_DIR/xauthority"
setpriv --reuid=65534 --regid=65534 --clear-groups test -w "$E2E_DIR/locked" &&
  fail "nobody can write to the directory"
XAUTHORITY="$E2E_DIR/xauthority" \
  E2E_LAUNCHER="/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups" session_in "$E2E_DIR/locked"
untouched "$E2E_DIR/locked"

E2E_CASE="the same session where it can write"
session_in "$E2E_DIR/locked"
cmp -s old.ini locked/Wispen.ini && fail "the session did not write Wispen.ini"
grep -qE '^showFPS *= *1' locked/Wispen.ini || fail "the new Wispen.ini lacks showFPS = 1"
[ "$(stat -c %s locked/wispen.hsc)" = 96 ] || fail "the session did not rewrite wispen.hsc"

# As root on a read-only file system, where mounting is allowed.
E2E_CASE="read-only file system"
mkdir -p "$E2E_DIR/readonly"
if mount -t tmpfs -o size=1m tmpfs "$E2E_DIR/readonly" 2>/dev/null; then
  trap 'umount "$E2E_DIR/readonly" 2>/dev/null; _e2e_cleanup' EXIT
  prepare "$E2E_DIR/readonly"
  mount -o remount,ro "$E2E_DIR/readonly" || fail "could not make the file system read-only"
  session_in "$E2E_DIR/readonly"
  untouched "$E2E_DIR/readonly"
else
  echo "$E2E_NAME: mounting is not allowed here; the read-only case is left out"
fi
pass

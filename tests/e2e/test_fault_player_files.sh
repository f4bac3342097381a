#!/usr/bin/env bash
# What the player made of Wispen.ini and wispen.hsc outlives a saving session
# (an option changed, the high-score list opened, a game played):
#   - links are followed: the link stays, its target gets the new file, keeps
#     its mode and (run as root) its owner, and a dangling link's target is made;
#   - files without any write bit stay byte for byte, also for root;
#   - in a directory the player cannot write, files the player can write are
#     written in place (run as the user nobody through setpriv).
# Nothing is left beside the files.
source "$(dirname "$0")/lib.sh"
: "${WISPEN_HSC_TOOL:?WISPEN_HSC_TOOL must name the high-score tool}"

OLD_INI=$'[GENERAL]\nfullscreen = 0\n\n[SPEED]\nshowFPS = 0\n'
"$WISPEN_HSC_TOOL" fill full.hsc 9999 || fail "could not prepare a table"
# A short table: any rewrite makes it 96 bytes long.
head -c 50 full.hsc > old.hsc
printf '%s' "$OLD_INI" > old.ini
chmod 755 "$E2E_DIR"

# prepare DIR: DIR with the rest of the run directory linked, no player files.
prepare() {
  mkdir -p "$1"
  ln -sf "$E2E_DIR/wispen" "$E2E_DIR/data.dat" "$E2E_DIR/wispen.it" "$E2E_DIR/story" "$1/"
}

session_in() {
  cd "$1" || fail "no directory $1"
  saving_session
  cd "$E2E_DIR" || exit 1
}

saved() {
  grep -qE '^showFPS *= *1' "$1" || fail "$1 lacks showFPS = 1: $(tr '\n' ' ' < "$1")"
  [ "$(stat -c %s "$2")" = 96 ] || fail "$2 was not rewritten ($(stat -c %s "$2") bytes)"
}

no_temporary_files() {
  local left
  left=$(find "$@" -name '*.tmp')
  [ -z "$left" ] || fail "temporary files left: $left"
}

E2E_CASE="links, one relative and one dangling"
prepare linked
mkdir -p keep
cp old.ini keep/Wispen.ini
chmod 640 keep/Wispen.ini
[ "$(id -u)" = 0 ] && chown 65534:65534 keep/Wispen.ini
ln -s ../keep/Wispen.ini linked/Wispen.ini
ln -s "$E2E_DIR/keep/scores/wispen.hsc" linked/wispen.hsc
mkdir -p keep/scores
session_in "$E2E_DIR/linked"
[ -L linked/Wispen.ini ] && [ -L linked/wispen.hsc ] || fail "a link was replaced by a file"
saved keep/Wispen.ini keep/scores/wispen.hsc
[ "$(stat -c %a keep/Wispen.ini)" = 640 ] || fail "the target's mode became $(stat -c %a keep/Wispen.ini)"
if [ "$(id -u)" = 0 ]; then
  [ "$(stat -c %u:%g keep/Wispen.ini)" = 65534:65534 ] || fail "the target's owner became $(stat -c %u:%g keep/Wispen.ini)"
fi
no_temporary_files linked keep

E2E_CASE="files without write bits"
prepare readonly
cp old.ini readonly/Wispen.ini
cp old.hsc readonly/wispen.hsc
chmod 444 readonly/Wispen.ini readonly/wispen.hsc
session_in "$E2E_DIR/readonly"
cmp -s old.ini readonly/Wispen.ini || fail "the read-only Wispen.ini changed: $(tr '\n' ' ' < readonly/Wispen.ini)"
cmp -s old.hsc readonly/wispen.hsc || fail "the read-only wispen.hsc changed"
[ "$(stat -c %a readonly/Wispen.ini readonly/wispen.hsc | sort -u)" = 444 ] || fail "a read-only file's mode changed"
no_temporary_files readonly

# The X server's cookie must be readable by nobody; the directory is root's.
E2E_CASE="writable files in a directory nobody cannot write"
prepare locked
cp old.ini locked/Wispen.ini
cp old.hsc locked/wispen.hsc
chown 65534:65534 locked/Wispen.ini locked/wispen.hsc
cp "$XAUTHORITY" xauthority
chmod 644 xauthority
setpriv --reuid=65534 --regid=65534 --clear-groups test -w locked && fail "nobody can write to the directory"
XAUTHORITY="$E2E_DIR/xauthority" \
  E2E_LAUNCHER="/usr/bin/setpriv --reuid=65534 --regid=65534 --clear-groups" session_in "$E2E_DIR/locked"
saved locked/Wispen.ini locked/wispen.hsc
[ "$(stat -c %u locked/Wispen.ini)" = 65534 ] || fail "Wispen.ini is no longer nobody's"
no_temporary_files locked
pass

#!/usr/bin/env bash
# The installed game. A staged install's launcher, started with a scratch
# HOME, makes the player's directory on the first start and runs the game
# there: the settings changed in the options are in its Wispen.ini and are
# read again on the next start, a high score lands in its wispen.hsc, and
# the staged tree is the same before and after. A new player starts from the
# installed settings (yield on); a player's own Wispen.ini is left alone. A fresh install to another
# prefix, the first one gone, still finds the player's settings and scores.
# A copy of the tree with a stand-in program shows what the launcher hands
# on: the player's directory, the replay named absolutely, the exit status,
# and a replay check run where it was asked for, without the directory.
E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-200}
source "$(dirname "$0")/lib.sh"
: "${WISPEN_HSC_TOOL:?WISPEN_HSC_TOOL must name the high-score tool}"
: "${WISPEN_DATA_FILES:?WISPEN_DATA_FILES must list the data files}"

user_dir=$E2E_DIR/home/.local/share/wispen

# install NAME PREFIX: the build installed into $E2E_DIR/NAME as DESTDIR.
install() {
  DESTDIR="$E2E_DIR/$1" cmake --install "$WISPEN_BUILD_DIR" --prefix "$2" >/dev/null || fail "cmake --install failed"
}

# listing DIR: every path of DIR with its type, size, link target and checksum.
listing() {
  (cd "$1" && find . -printf '%p %y %s %l\n' | sort && find . -type f -exec md5sum {} + | sort)
}

# use_launcher LAUNCHER: ./wispen starts LAUNCHER. It finds only the commands
# a shell script needs, still no xmessage (see lib.sh).
mkdir -p "$E2E_DIR/launcher-programs"
for program in sh readlink dirname mkdir ln mv rm cp; do
  ln -sf "$(command -v "$program")" "$E2E_DIR/launcher-programs/$program"
done
use_launcher() {
  printf '#!/bin/sh\nPATH=%s exec %s "$@"\n' "$E2E_DIR/launcher-programs" "$1" > "$E2E_DIR/wispen"
  chmod +x "$E2E_DIR/wispen"
}

install stage1 /usr/local
listing "$E2E_DIR/stage1" > before.txt
grep -q '^./usr/local/games/wispen f' before.txt && grep -q '^./usr/local/lib/games/wispen/wispen f' before.txt &&
  grep -q '^./usr/local/share/games/wispen/data.dat f' before.txt || fail "the staged tree lacks the launcher, program or data"
use_launcher "$E2E_DIR/stage1/usr/local/games/wispen"
rm -f Wispen.ini wispen.hsc

# First start: no directory yet, no settings, so full screen. Use vsync on,
# difficulty easy.
[ -e "$E2E_DIR/home/.local" ] && fail "the scratch HOME is not empty"
start_game -u XDG_DATA_HOME
wait_picture first.png 320x240+160+120
[ -d "$user_dir" ] || fail "no $user_dir after the first start"
sleep 0.3
choose MAIN_MENU "Play Game" Options 0.1 0.3
hold_key Return 0.1; sleep 0.2           # Use vsync: on
move_highlight OPTIONS_MENU "Use vsync" Difficulty 0.1
hold_key BackSpace 0.1; sleep 0.1        # Difficulty: easy
hold_key Escape 0.1; sleep 0.3
leave_game
ini=$user_dir/Wispen.ini
[ -f "$ini" ] || fail "no Wispen.ini in $user_dir"
[ ! -e Wispen.ini ] && [ ! -e "$E2E_DIR/stage1/usr/local/lib/games/wispen/Wispen.ini" ] || fail "Wispen.ini written outside $user_dir"
grep -Eq '^vsync *= *1' "$ini" || fail "vsync is not 1 in $ini"
grep -Eq '^difficulty *= *0' "$ini" || fail "difficulty is not 0 in $ini"
grep -Eq '^yield *= *1' "$ini" || fail "a new player did not start from the installed settings"
for f in $WISPEN_DATA_FILES; do
  [ "$(readlink "$user_dir/$f")" = "$E2E_DIR/stage1/usr/local/share/games/wispen/$f" ] || fail "$user_dir/$f does not point at the install"
done

# Second start in a window, with a frail wisp among many souls and an empty
# table: vsync flipped back shows it was read as on, difficulty one step up
# from easy is normal. Then a game to its end and a name in the table.
sed -i -e 's/^fullscreen *=.*/fullscreen = 0/' -e 's/^hp1 *=.*/hp1 = 1/' -e 's/^spawnTime *=.*/spawnTime = 20/' "$ini"
: > "$user_dir/wispen.hsc"
start_game -u XDG_DATA_HOME
wait_window
sleep 0.3
choose MAIN_MENU "Play Game" Options 0.1 0.3
hold_key Return 0.1; sleep 0.2           # Use vsync: off again
move_highlight OPTIONS_MENU "Use vsync" Difficulty 0.1
hold_key Right 0.1; sleep 0.1            # Difficulty: normal
hold_key Escape 0.1; sleep 0.3
choose MAIN_MENU Options "Play Game" 0.1 0
deadline=$(($(date +%s) + 60))
while [ ! -s "$user_dir/wispen.hsc" ]; do
  [ "$(date +%s)" -lt "$deadline" ] || fail "the game did not end within 60 s"
  hold_key Return 0.06
  sleep 0.25
done
sleep 0.3
type_text ACE
hold_key Return 0.1
sleep 0.3
hold_key Escape 0.1
sleep 0.2
leave_game
grep -Eq '^vsync *= *0' "$ini" || fail "vsync did not start as 1 on the second start"
grep -Eq '^difficulty *= *1' "$ini" || fail "difficulty did not start as easy on the second start"
grep -Eq '^hp1 *= *1$' "$ini" || fail "the launcher replaced the player's Wispen.ini"
"$WISPEN_HSC_TOOL" dump "$user_dir/wispen.hsc" | head -n 1 | grep -q '^ACE     |' || fail "ACE is not first in $user_dir/wispen.hsc"
listing "$E2E_DIR/stage1" > after.txt
diff before.txt after.txt >&2 || fail "the staged tree changed while the game ran"

# A fresh install elsewhere, the old one gone: the links follow, the
# player's files stay.
rm -rf "$E2E_DIR/stage1"
install stage2 /opt/wispen
use_launcher "$E2E_DIR/stage2/opt/wispen/games/wispen"
start_game -u XDG_DATA_HOME
wait_window
sleep 0.3
leave_game
[ "$(readlink "$user_dir/data.dat")" = "$E2E_DIR/stage2/opt/wispen/share/games/wispen/data.dat" ] || fail "data.dat still points at the old install"
"$WISPEN_HSC_TOOL" dump "$user_dir/wispen.hsc" | head -n 1 | grep -q '^ACE     |' || fail "the scores were lost with the new install"
grep -Eq '^vsync *= *0' "$ini" || fail "the settings were lost with the new install"

# The launcher alone, in a moved copy whose game program only reports.
cp -a "$E2E_DIR/stage2/opt/wispen" "$E2E_DIR/moved"
launcher=$E2E_DIR/moved/games/wispen
printf '#!/bin/sh\necho "$(pwd)|$*"\nexit 7\n' > "$E2E_DIR/moved/lib/games/wispen/wispen"
cp -P "$user_dir/story" own-story            # a player's own file stays
rm "$user_dir/story" && echo mine > "$user_dir/story"
mkdir -p caller && cd caller
out=$(HOME="$E2E_DIR/home" XDG_DATA_HOME= "$launcher" --replay game.rpl)
status=$?
cd "$E2E_DIR"
[ "$status" = 7 ] || fail "the launcher ended with $status, not the program's 7"
[ "$out" = "$user_dir|--replay $E2E_DIR/caller/game.rpl" ] || fail "the program got \"$out\""
[ "$(cat "$user_dir/story")" = mine ] || fail "the player's own story was replaced"
mv "$ini" own.ini                            # a player of an older install has none
HOME="$E2E_DIR/home" XDG_DATA_HOME= "$launcher" > /dev/null
cmp -s "$ini" "$E2E_DIR/moved/share/games/wispen/Wispen.ini" || fail "the installed settings were not copied into a directory without them"
mv own.ini "$ini"
[ "$(readlink "$user_dir/wispen.it")" = "$E2E_DIR/moved/share/games/wispen/wispen.it" ] || fail "wispen.it does not point at the moved copy"
# A replay check needs no player's directory: the file is named as given.
out=$(cd caller && XDG_DATA_HOME= HOME=/nonexistent "$launcher" --verify-replay game.rpl)
[ $? = 7 ] && [ "$out" = "$E2E_DIR/caller|--verify-replay game.rpl" ] || fail "the check got \"$out\""
out=$(XDG_DATA_HOME="$E2E_DIR/xdg/data" HOME=/nonexistent "$launcher")
[ "$out" = "$E2E_DIR/xdg/data/wispen|" ] || fail "XDG_DATA_HOME was not used: \"$out\""
[ "$("$launcher" --version)" = "wispen 1.0.0" ] || fail "--version printed \"$("$launcher" --version)\""
"$launcher" --help | grep -q '^usage: wispen' || fail "no usage from --help"
"$launcher" --fullscreen > refused.out 2>&1
[ $? = 2 ] && grep -q '^usage: wispen' refused.out || fail "an unknown argument was not refused with the usage"
HOME="$E2E_DIR/no-home" XDG_DATA_HOME= "$launcher" > nohome.out 2>&1
[ $? = 1 ] && [ "$(wc -l < nohome.out)" = 1 ] || fail "a missing HOME did not end with one line and status 1"
[ -e "$E2E_DIR/no-home" ] && fail "the missing HOME was made"
pass

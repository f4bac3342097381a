#!/usr/bin/env bash
# The game killed with SIGKILL while it saves: after every kill, Wispen.ini
# and wispen.hsc are each either the old file or the new one, whole, byte for
# byte. Each round starts from the same old files (a short table and a few
# settings); the new ones are what an undisturbed session leaves. Most kills
# come while the high-score list rewrites the table or while quitting writes
# the settings: as soon as the save shows in the directory, at once or up to
# half a millisecond later. The rest come at a random moment of a session. A
# round in which a busy game missed the key that starts a save (no file
# appeared) is not counted. A stale half-written file left by an earlier kill
# never stops the next save.
E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-180}
source "$(dirname "$0")/lib.sh"
: "${E2E_DIR:?the harness did not start}"
: "${WISPEN_HSC_TOOL:?WISPEN_HSC_TOOL must name the high-score tool}"

KILLS=${E2E_KILLS:-24}
RUN="$E2E_DIR/run"
# The lock file is the game's own: empty, and kept so that no second game
# can take a lock on a fresh file while the first still holds the old one.
BASE=(Wispen.ini Wispen.lock data.dat story wispen wispen.hsc wispen.it)

printf '[GENERAL]\nfullscreen = 0\n\n[WISPEN]\nvolMusic = 100\n' > old.ini
"$WISPEN_HSC_TOOL" fill full.hsc 9999 || fail "could not prepare a table"
head -c 50 full.hsc > old.hsc
mkdir -p "$RUN"
ln -s "$E2E_DIR/wispen" "$E2E_DIR/data.dat" "$E2E_DIR/wispen.it" "$E2E_DIR/story" "$RUN/"

reset_files() {
  cp old.ini "$RUN/Wispen.ini"
  cp old.hsc "$RUN/wispen.hsc"
}

# extra_files: the names in the run directory beyond the game's own.
extra_files() {
  ls -A "$RUN" | grep -vxF -f <(printf '%s\n' "${BASE[@]}")
}

# game_process: the game itself, below the timeout that start_game puts
# around it.
game_process() {
  local children
  children=$(cat "/proc/$GAME_PID/task/$GAME_PID/children" 2>/dev/null)
  echo "${children%% *}"
}

# press_and_kill KEY: presses KEY, waits until the save it starts shows (a
# new file in the directory, or one of the files newer than the key), lets it
# run for a random while and kills the game. SAVING tells whether a save
# showed; without one the key was lost.
press_and_kill() {
  local spin i n=0 files=()
  touch "$E2E_DIR/pressed"
  _xdo keydown --window "$WIN" "$1" || fail "could not press $1"
  # A tight loop of the shell's own globbing and tests, without new
  # processes, sees the change within microseconds; it gives up after about
  # half a second.
  while files=("$RUN"/*) && ((${#files[@]} <= ${#BASE[@]})) &&
    [ ! "$RUN/Wispen.ini" -nt "$E2E_DIR/pressed" ] && [ ! "$RUN/wispen.hsc" -nt "$E2E_DIR/pressed" ] &&
    ((n++ < 20000)); do :; done
  # A third of the kills come at once, for a save that lasts microseconds.
  spin=$((RANDOM % 3 == 0 ? 0 : RANDOM % 120))
  for ((i = 0; i < spin; i++)); do :; done
  kill -KILL "$GAME"
  SAVING=$((n <= 20000))
}

# list_and_quit: opens the high-score list, goes back and quits.
list_and_quit() {
  choose MAIN_MENU "Play Game" "High Scores" 0.05 0.25
  hold_key Return; sleep 0.15
  quit_game
}

# whole_or_old FILE OLD NEW: FILE is byte for byte OLD or NEW; prints which.
whole_or_old() {
  if cmp -s "$1" "$2"; then
    echo old
  elif cmp -s "$1" "$3"; then
    echo new
  else
    fail "$(basename "$1") is neither the old nor the new file ($(stat -c %s "$1") bytes)"
  fi
}

# The undisturbed session gives the new files, also with stale temporary
# files from a crash beside the old ones.
E2E_CASE="undisturbed, over stale temporary files"
reset_files
random_bytes 40 41 > "$RUN/Wispen.ini.tmp"
random_bytes 40 42 > "$RUN/wispen.hsc.tmp"
cd "$RUN" || exit 1
start_game
wait_window
sleep 0.3
list_and_quit
wait_exit 5
expect_status 0
cd "$E2E_DIR" || exit 1
[ -z "$(extra_files)" ] || fail "left beside the files: $(extra_files | tr '\n' ' ')"
cp "$RUN/Wispen.ini" new.ini
cp "$RUN/wispen.hsc" new.hsc
cmp -s old.ini new.ini && fail "the session did not write Wispen.ini"
[ "$(stat -c %s new.hsc)" = 96 ] || fail "the session did not rewrite wispen.hsc"
[ "$("$WISPEN_HSC_TOOL" dump full.hsc | head -n 2)" = "$(cp new.hsc copy.hsc; "$WISPEN_HSC_TOOL" dump copy.hsc | head -n 2)" ] ||
  fail "the new table does not begin with the old one's records"

declare -A seen=()
killed=()
kills=0
mid_save=0
for ((round = 1; kills < KILLS && round <= 2 * KILLS; round++)); do
  mode=$((round % 3))
  E2E_CASE="round $round, kill $(case $mode in 0) echo "while the list saves" ;; 1) echo "while quitting saves" ;; 2) echo "at a random moment" ;; esac)"
  reset_files
  cd "$RUN" || exit 1
  start_game
  wait_window
  sleep 0.3
  GAME=$(game_process)
  [ -n "$GAME" ] || fail "no game process below $GAME_PID"
  killed+=("$GAME")
  SAVING=1
  case $mode in
    0)
      move_highlight MAIN_MENU "Play Game" "High Scores" 0.1
      press_and_kill Return
      ;;
    1)
      hold_key Escape 0.1; sleep 0.15
      press_and_kill y
      ;;
    2)
      delay=$((RANDOM % 1300))
      (sleep "$((delay / 1000)).$(printf '%03d' $((delay % 1000)))"; kill -KILL "$GAME" 2>/dev/null) &
      # The keys stop reaching a window that the kill has closed.
      (list_and_quit) > /dev/null 2>&1
      wait $!
      ;;
  esac
  wait "$GAME_PID" 2>/dev/null
  GAME_PID=""
  cd "$E2E_DIR" || exit 1
  ini=$(whole_or_old "$RUN/Wispen.ini" old.ini new.ini)
  hsc=$(whole_or_old "$RUN/wispen.hsc" old.hsc new.hsc)
  cp "$RUN/wispen.hsc" copy.hsc
  [ "$("$WISPEN_HSC_TOOL" dump copy.hsc | grep -cE '[|]-?[0-9]+$')" = 8 ] || fail "wispen.hsc does not read as eight entries"
  leftovers=$(extra_files)
  for f in $leftovers; do rm -f "$RUN/$f"; done
  ((SAVING)) || continue
  kills=$((kills + 1))
  [ -n "$leftovers" ] && mid_save=$((mid_save + 1))
  seen["ini $ini"]=$((${seen["ini $ini"]:-0} + 1))
  seen["hsc $hsc"]=$((${seen["hsc $hsc"]:-0} + 1))
done
E2E_CASE=""
summary=""
for key in "ini old" "ini new" "hsc old" "hsc new"; do summary+="$key ${seen[$key]:-0}, "; done
echo "$E2E_NAME: $kills kills in $((round - 1)) rounds; $summary$mid_save inside a save (a temporary file left)"
[ "$kills" = "$KILLS" ] || fail "the game reached a save in only $kills of $((round - 1)) rounds"
# Kills that never met a save would prove nothing.
[ "$mid_save" -ge 2 ] || fail "only $mid_save of $kills kills came while a save was under way (a file beside the old ones)"

# The harness's X server has no shared-memory extension, so a killed game
# leaves no shared-memory segment behind.
for pid in "${killed[@]}"; do
  ipcs -m -p 2>/dev/null | awk -v pid="$pid" '$3 == pid { found = 1 } END { exit !found }' &&
    fail "a shared-memory segment of the killed game $pid is left"
done
pass

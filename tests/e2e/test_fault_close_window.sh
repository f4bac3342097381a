#!/usr/bin/env bash
# The window's close button on every screen: main menu, options, high scores,
# story, credits, the quit question, a game, the abandon question, "GAME
# OVER!" and the name entry. Each time the game ends at once with status 0 and
# writes every setting, as it had them (an option changed just before counts);
# closing in the name entry leaves a whole high-score table.
E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-180}
source "$(dirname "$0")/lib.sh"
: "${WISPEN_HSC_TOOL:?WISPEN_HSC_TOOL must name the high-score tool}"

# settings_written: Wispen.ini holds all 21 keys in their sections.
settings_written() {
  local k keys=0
  for k in w h bpp fullscreen vsync yield driver; do [ -n "$(ini_value GENERAL "$k")" ] && keys=$((keys + 1)); done
  for k in fps unlimitedFPS showFPS; do [ -n "$(ini_value SPEED "$k")" ] && keys=$((keys + 1)); done
  for k in acc dec rad hp1 hp2 spawnTime maxParticles difficulty nStars volSound volMusic; do
    [ -n "$(ini_value WISPEN "$k")" ] && keys=$((keys + 1))
  done
  [ "$keys" = 21 ] || fail "Wispen.ini holds $keys of the 21 settings after closing"
}

# open_game INI-LINES...: a fresh Wispen.ini and the game on its main menu;
# menu.png is the menu's picture.
open_game() {
  write_ini "$@"
  start_game
  wait_window
  sleep 0.3
  screenshot menu.png
}

# changed_from_menu: the window no longer shows the main menu.
changed_from_menu() {
  screenshot now.png
  compare -metric AE -extract 140x110+90+80 menu.png now.png null: 2>/dev/null && fail "still on the main menu"
  return 0
}

close_and_check() {
  close_window
  wait_exit 3
  expect_status 0
  settings_written
}

PLAIN=("[GENERAL]" "fullscreen = 0")

E2E_CASE="main menu"
open_game "${PLAIN[@]}"
close_and_check

E2E_CASE="options, just after turning the overlay on"
open_game "${PLAIN[@]}" "" "[SPEED]" "showFPS = 0"
choose MAIN_MENU "Play Game" Options 0.05 0.3
choose OPTIONS_MENU "Use vsync" "Show FPS" 0.05 0.2
changed_from_menu
close_and_check
[ "$(ini_value SPEED showFPS)" = 1 ] || fail "showFPS $(ini_value SPEED showFPS), expected the 1 just chosen"

for entry in "High Scores" Story Credits; do
  E2E_CASE=$entry
  open_game "${PLAIN[@]}"
  choose MAIN_MENU "Play Game" "$entry" 0.05 0.3
  changed_from_menu
  close_and_check
done

E2E_CASE="quit question"
open_game "${PLAIN[@]}"
hold_key Escape; sleep 0.3
changed_from_menu
close_and_check

E2E_CASE="playing"
open_game "${PLAIN[@]}"
choose MAIN_MENU "Play Game" "Play Game" 0.05 0.3
screenshot play.png
in_game play.png || fail "no game on screen"
close_and_check

E2E_CASE="abandon question"
open_game "${PLAIN[@]}"
choose MAIN_MENU "Play Game" "Play Game" 0.05 0.3
hold_key Escape; sleep 0.3
screenshot prompt.png
compare -metric AE play.png prompt.png null: 2>/dev/null && fail "no question over the game"
close_and_check

# A frail creature among many souls: the game is soon over.
FRAIL=("${PLAIN[@]}" "" "[WISPEN]" "hp1 = 1" "spawnTime = 20" "difficulty = 2")

# until_game_over: plays until "GAME OVER!" is drawn, white above the centre.
until_game_over() {
  choose MAIN_MENU "Play Game" "Play Game" 0.05 0.3
  wait_game_over
}

E2E_CASE="game over"
"$WISPEN_HSC_TOOL" fill wispen.hsc 2000000000 || fail "could not prepare wispen.hsc"
E2E_GAME_TIMEOUT=60 open_game "${FRAIL[@]}"
until_game_over
close_and_check

# Against an empty table any score enters it; Enter after "GAME OVER!" checks
# the table, which writes it whole, and opens the name entry.
E2E_CASE="name entry"
: > wispen.hsc
E2E_GAME_TIMEOUT=60 open_game "${FRAIL[@]}"
until_game_over
deadline=$(($(date +%s) + 10))
while [ "$(stat -c %s wispen.hsc)" != 96 ]; do
  [ "$(date +%s)" -lt "$deadline" ] || fail "Enter did not finish the game"
  hold_key Return 0.06
  sleep 0.25
done
sleep 0.2
type_text AB
screenshot entry.png
compare -metric AE over.png entry.png null: 2>/dev/null && fail "no name entry on screen"
close_and_check
[ "$("$WISPEN_HSC_TOOL" dump wispen.hsc | grep -c '^|-1$')" = 8 ] || fail "the table is not the eight empty entries"
pass

#!/usr/bin/env bash
# Left bound to A on the controls screen with the keyboard alone: A then
# steers the creature left, Wispen.ini keeps "left = A", and the next start
# steers with A from the file.
source "$(dirname "$0")/lib.sh"

# went_left FILE: the player's cyan dot on the radar (centre x 284 at the
# start) lies well left of the centre: held for 2.5 s, the creature goes
# about 400 units, 25 dots on the radar.
went_left() {
  local x
  x=$(player_x "$1")
  echo "$E2E_NAME: $1: the player's dot at x $x"
  [ "$x" -lt 276 ]
}

# play_left SHOT: a game from the main menu's first line, steered with A.
play_left() {
  hold_key Return
  sleep 0.3
  screenshot play.png
  in_game play.png || fail "no game started"
  hold_key a 2.5
  sleep 0.3
  screenshot "$1"
  went_left "$1" || fail "A did not steer the creature left ($1)"
}

# Creatures of radius 0 never touch: no soul can knock the creature off its way.
write_ini "[GENERAL]" "fullscreen = 0" "" "[WISPEN]" "rad = 0" ""
start_game
wait_window
sleep 0.3
choose MAIN_MENU "Play Game" "Options"
choose OPTIONS_MENU "Use vsync" "Controls"
choose CONTROLS_MENU "Up" "Left"
screenshot waiting.png
hold_key a
sleep 0.15
screenshot bound.png
compare -metric AE waiting.png bound.png null: 2>/dev/null && fail "binding A changed nothing on the screen"
hold_key Escape         # back to the options, then to the main menu
sleep 0.15
hold_key Escape
sleep 0.15
move_highlight MAIN_MENU "Options" "Play Game"
play_left moved.png
abandon_and_quit
[ "$(ini_value KEYS left)" = A ] || fail "[KEYS] left = $(ini_value KEYS left), expected A"
[ "$(ini_value KEYS right)" = RIGHT ] || fail "[KEYS] right = $(ini_value KEYS right), expected RIGHT kept"

start_game
wait_window
sleep 0.3
play_left moved-again.png
abandon_and_quit
pass

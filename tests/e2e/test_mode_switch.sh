#!/usr/bin/env bash
# Alt+Enter during play turns a window at 1x into full screen, back, and into
# full screen again, the game going on in each: the creature still steers, no
# question opens, and the mode chosen last is the fullscreen setting written
# at exit. In the main menu the Enter of Alt+Enter chooses nothing.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0" "scale = 1" "" "[WISPEN]" "hp1 = 10000" ""
alt_enter() {
  _xdo keydown --window "$WIN" alt || fail "could not press Alt"
  hold_key Return 0.15
  _xdo keyup --window "$WIN" alt
}

start_game
wait_window
sleep 0.5
alt_enter
wait_picture menu-full.png 320x240+160+120
sleep 0.5
display_shot menu-full.png
convert menu-full.png -crop 320x240+160+120 +repage menu-frame.png
in_game menu-frame.png && fail "the Enter of Alt+Enter chose Play Game"
alt_enter
wait_window
sleep 0.5
hold_key Return
sleep 0.8
screenshot play.png
in_game play.png || fail "no game after Play Game"

# steers BEFORE AFTER SHOT: Left held for a while moves the view: SHOT
# makes each picture.
steers() {
  "$3" "$1"
  hold_key Left 1.2
  sleep 0.3
  "$3" "$2"
  compare -metric AE "$1" "$2" null: 2>/dev/null && fail "the creature no longer steers ($2)"
  return 0
}

alt_enter
wait_picture full.png 320x240+160+120
[ -z "$(xdotool search --onlyvisible --name '^Wispen$' 2>/dev/null)" ] || fail "the window is still on screen in full screen"
convert full.png -crop 320x240+160+120 +repage full-frame.png
in_game full-frame.png || fail "full screen does not show the game: $(pixel full-frame.png $HEALTH_PROBE)"
steers full-1.png full-2.png display_shot
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended in full screen"

alt_enter
wait_window
sleep 0.5
screenshot back.png
in_game back.png || fail "no game in the window after switching back"
steers back-1.png back-2.png screenshot

alt_enter
wait_picture again.png 320x240+160+120
abandon_and_quit
[ "$(ini_value GENERAL fullscreen)" = 1 ] || fail "fullscreen is $(ini_value GENERAL fullscreen) at exit, expected the last mode, 1"
pass

#!/usr/bin/env bash
# "Play Game" starts a game: the first health segment is lit red and the
# player's cyan dot sits at the centre of the radar. Held arrows move the
# view. Escape asks to abandon; N resumes the same game; Y returns to the menu.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0" "" "[WISPEN]" "hp1 = 10000" "hp2 = 1"
start_game
wait_window
sleep 0.2
screenshot menu.png
hold_key Return
sleep 0.5
screenshot play.png
in_game play.png || fail "first health segment is $(pixel play.png $HEALTH_PROBE), expected the health bar"
[ "$(pixel play.png $RADAR_PROBE)" = "0,255,255" ] || fail "radar centre is $(pixel play.png $RADAR_PROBE), expected the cyan player"

hold_key Left 1.5
sleep 0.5
screenshot moved.png
[ "$(pixel moved.png $RADAR_PROBE)" = "0,255,255" ] && fail "the player's dot did not move on the radar"
compare -metric AE play.png moved.png null: 2>/dev/null && fail "the view did not move"

hold_key Escape
sleep 0.3
screenshot abandon.png
hold_key n
sleep 0.3
screenshot resumed.png
in_game resumed.png || fail "no health bar after resuming"

hold_key Escape
sleep 0.3
hold_key y
sleep 0.4
screenshot menu-again.png
in_game menu-again.png && fail "still on the play screen after abandoning"
quit_game
wait_exit 3
expect_status 0
pass

#!/usr/bin/env bash
# With showFPS on, the frame rate is printed white on a black box in the
# top-left corner. With one frame per tick it reads at most 60, so the text is
# "NN FPS": six characters of the game font, about 35 by 9 pixels.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0" "" "[SPEED]" "showFPS = 1" "unlimitedFPS = 0"
start_game
wait_window
shown=0
for attempt in $(seq 1 50); do
  screenshot shot.png
  if fps_shown shot.png; then
    shown=1
    break
  fi
  sleep 0.05
done
[ "$shown" = 1 ] || fail "no white overlay text in the top-left corner"
[ "$(count_colour shot.png $FPS_BOX 000000)" -gt 100 ] || fail "the overlay text has no black box"
[ "$(count_colour shot.png 6x12+28+0 FFFFFF)" -gt 0 ] || fail "the overlay is shorter than \"NN FPS\""
[ "$(count_colour shot.png 280x12+40+0 FFFFFF)" = 0 ] || fail "white pixels right of the overlay"
[ "$(count_colour shot.png 40x20+0+12 FFFFFF)" = 0 ] || fail "white pixels below the overlay"

quit_game
wait_exit 3
expect_status 0
pass

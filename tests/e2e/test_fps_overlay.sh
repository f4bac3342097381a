#!/usr/bin/env bash
# With showFPS on, the frame rate is printed white on a black box in the
# top-left corner. With one frame per tick it reads at most 60, so the text is
# "NN FPS": six 8-pixel characters, 48 by 8 pixels.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0" "" "[SPEED]" "showFPS = 1" "unlimitedFPS = 0"
start_game
wait_window
shown=0
for attempt in $(seq 1 50); do
  screenshot shot.png
  if [ "$(count_colour shot.png 48x8+0+0 FFFFFF)" -gt 0 ]; then
    shown=1
    break
  fi
  sleep 0.05
done
[ "$shown" = 1 ] || fail "no white overlay text in the top-left corner"
[ "$(count_colour shot.png 48x8+0+0 000000)" -gt 0 ] || fail "the overlay text has no black box"
[ "$(count_colour shot.png 8x8+40+0 FFFFFF)" -gt 0 ] || fail "the overlay is shorter than \"NN FPS\""
[ "$(count_colour shot.png 272x240+48+0 FFFFFF)" = 0 ] || fail "white pixels right of the overlay"
[ "$(count_colour shot.png 48x232+0+8 FFFFFF)" = 0 ] || fail "white pixels below the overlay"

hold_key Escape
wait_exit 3
expect_status 0
pass

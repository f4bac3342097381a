#!/usr/bin/env bash
# A window on a 1024x768 desktop. With scale = 2 the window is 640x480 and
# every pixel of the 320x240 frame is a 2x2 block at twice its coordinates:
# shrunk back, the menu is the one a scale = 1 window shows, and on the play
# screen the first health segment and the radar's centre dot lie at twice
# their places. The automatic choice, for a file without the key as for a
# scale that is not a number, leaves room for the window's frame and the
# desktop's panels, so it is 2 here too. scale = 1 is the old window.
E2E_SCREEN=1024x768x24
source "$(dirname "$0")/lib.sh"

# open_with LINE...: starts and quits the game with these lines in GENERAL;
# SIZE is the size of the window it opened.
open_with() {
  write_ini "[GENERAL]" "fullscreen = 0" "$@" ""
  start_game
  wait_window
  sleep 0.3
  screenshot size.png
  leave_game
  SIZE=$(identify -format '%wx%h' size.png)
}

write_ini "[GENERAL]" "fullscreen = 0" "scale = 1" ""
start_game
wait_window
sleep 0.5
screenshot one.png
[ "$(identify -format '%wx%h' one.png)" = 320x240 ] || fail "the scale = 1 window is not 320x240"
leave_game

write_ini "[GENERAL]" "fullscreen = 0" "scale = 2" "" "[WISPEN]" "hp1 = 10000" "hp2 = 1"
start_game
wait_window
sleep 0.5
screenshot menu.png
[ "$(identify -format '%wx%h' menu.png)" = 640x480 ] || fail "the scale = 2 window is $(identify -format '%wx%h' menu.png)"
# The highlighted entry glows with time and may change while the window is
# read, so its line is left out.
enlarged_by menu.png 640x160+0+0 2 || fail "the top of the menu is not made of 2x2 blocks"
enlarged_by menu.png 640x272+0+208 2 || fail "the bottom of the menu is not made of 2x2 blocks"
convert menu.png -sample 320x240! shrunk.png
compare -metric AE -extract 320x80+0+0 one.png shrunk.png null: 2>/dev/null ||
  fail "the top of the menu differs from the scale = 1 window's"
compare -metric AE -extract 320x136+0+104 one.png shrunk.png null: 2>/dev/null ||
  fail "the bottom of the menu differs from the scale = 1 window's"

hold_key Return 0.1
sleep 0.5
screenshot play.png
# The first health segment at (7, 230) and the radar's centre at (284, 212).
[ "$(count_colour play.png 2x2+14+460 FF0000)" = 4 ] || fail "no red 2x2 health segment at (14, 460)"
[ "$(count_colour play.png 2x2+568+424 00FFFF)" = 4 ] || fail "no cyan 2x2 player dot at (568, 424)"
hold_key Escape 0.1
sleep 0.3
hold_key y 0.1
sleep 0.3
leave_game
[ "$(ini_value GENERAL scale)" = 2 ] || fail "scale $(ini_value GENERAL scale) written back, expected 2"

open_with
[ "$SIZE" = 640x480 ] || fail "without a scale the window is $SIZE, expected 640x480"
[ "$(ini_value GENERAL scale)" = 0 ] || fail "scale $(ini_value GENERAL scale) written, expected 0"
open_with "scale = big"
[ "$SIZE" = 640x480 ] || fail "scale = big: the window is $SIZE, expected 640x480"
pass

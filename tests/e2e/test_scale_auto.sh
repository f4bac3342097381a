#!/usr/bin/env bash
# Automatic scale on a 1280x1024 desktop. A window gets the largest factor
# that leaves a tenth of the desktop for its frame and the panels: 3, so
# 960x720 of 3x3 blocks. Full screen fills the display: the frame enlarged
# four times to 1280x960, centred with black bands above and below.
E2E_SCREEN=1280x1024x24
E2E_GAME_TIMEOUT=${E2E_GAME_TIMEOUT:-40}
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0" ""
start_game
wait_window
sleep 0.5
screenshot window.png
[ "$(identify -format '%wx%h' window.png)" = 960x720 ] || fail "the window is $(identify -format '%wx%h' window.png), expected 960x720"
# The highlighted entry's line glows with time and is left out.
enlarged_by window.png 960x240+0+0 3 || fail "the top of the window is not made of 3x3 blocks"
enlarged_by window.png 960x408+0+312 3 || fail "the bottom of the window is not made of 3x3 blocks"
leave_game

write_ini "[GENERAL]" "fullscreen = 1" ""
start_game
wait_picture display.png 1280x960+0+32
[ "$(identify -format '%wx%h' display.png)" = 1280x1024 ] || fail "the display is not 1280x1024"
all_black display.png 1280x32+0+0 || fail "the band above the picture is not black"
all_black display.png 1280x32+0+992 || fail "the band below the picture is not black"
enlarged_by display.png 1280x320+0+32 4 || fail "the top of the picture is not made of 4x4 blocks"
enlarged_by display.png 1280x544+0+448 4 || fail "the bottom of the picture is not made of 4x4 blocks"
# Shrunk back, full screen and window show the same frame.
convert display.png -crop 1280x960+0+32 +repage -sample 320x240! full.png
convert window.png -sample 320x240! windowed.png
compare -metric AE -extract 320x80+0+0 windowed.png full.png null: 2>/dev/null ||
  fail "full screen and window differ at the top of the menu"
compare -metric AE -extract 320x136+0+104 windowed.png full.png null: 2>/dev/null ||
  fail "full screen and window differ at the bottom of the menu"
leave_game
pass

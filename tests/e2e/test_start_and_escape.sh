#!/usr/bin/env bash
# With no settings but a window, the game opens a 320 by 240 window on the main
# menu without the overlay. Escape asks whether to quit, Escape there answers no
# and returns to the menu, Y ends the game with status 0 and leaves a
# Wispen.ini holding every setting.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0"
start_game
wait_window
sleep 0.3
screenshot menu.png
size=$(identify -format '%wx%h' menu.png)
[ "$size" = "320x240" ] || fail "window is $size, expected 320x240"
[ "$(pixel menu.png 160 120)" != "0,0,0" ] || fail "the menu is not drawn"

# The quit question darkens a box in the middle of the picture.
hold_key Escape
sleep 0.3
screenshot prompt.png
same_pixel menu.png prompt.png 160 120 && fail "no quit question over the menu"
hold_key Escape
sleep 0.3
screenshot back.png
kill -0 "$GAME_PID" 2>/dev/null || fail "Escape in the quit question ended the game"

quit_game
wait_exit 3
expect_status 0

[ -f Wispen.ini ] || fail "no Wispen.ini written"
general=(w h bpp fullscreen vsync yield driver)
speed=(fps unlimitedFPS showFPS)
wispen=(acc dec rad hp1 hp2 spawnTime maxParticles difficulty nStars volSound volMusic)
keys=0
for k in "${general[@]}"; do [ -n "$(ini_value GENERAL "$k")" ] && keys=$((keys + 1)); done
for k in "${speed[@]}"; do [ -n "$(ini_value SPEED "$k")" ] && keys=$((keys + 1)); done
for k in "${wispen[@]}"; do [ -n "$(ini_value WISPEN "$k")" ] && keys=$((keys + 1)); done
[ "$keys" = 21 ] || fail "Wispen.ini holds $keys of the 21 keys in their sections"
[ "$(ini_value GENERAL fullscreen)" = 0 ] || fail "fullscreen not written back as read"
[ "$(ini_value GENERAL bpp)" = 32 ] || fail "bpp $(ini_value GENERAL bpp), expected the default 32"
[ "$(ini_value SPEED fps)" = 60 ] || fail "fps $(ini_value SPEED fps), expected the default 60"
pass

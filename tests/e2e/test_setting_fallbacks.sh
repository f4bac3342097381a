#!/usr/bin/env bash
# Settings the display or the game cannot use as they are: a colour depth of
# 12 falls back to 16, which is then saved; triple buffering is unavailable on
# X and the game falls back but keeps "driver = 2"; fps = 0 runs at the
# default rate (the game still reacts to keys) and is saved as it was.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0" "bpp = 12" "driver = 2" "" "[SPEED]" "fps = 0"
start_game
wait_window
sleep 0.2
quit_game
wait_exit 3
expect_status 0
[ "$(ini_value GENERAL bpp)" = 16 ] || fail "bpp $(ini_value GENERAL bpp), expected the working 16"
[ "$(ini_value GENERAL driver)" = 2 ] || fail "driver $(ini_value GENERAL driver), expected 2 as configured"
[ "$(ini_value SPEED fps)" = 0 ] || fail "fps $(ini_value SPEED fps), expected 0 as configured"
pass

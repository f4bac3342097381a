#!/usr/bin/env bash
# The window's close button ends the game normally, also while the main loop
# sleeps between ticks (yield on), and the settings are still written.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0" "yield = 1"
start_game
wait_window
sleep 0.2
close_window
wait_exit 3
expect_status 0
[ "$(ini_value GENERAL yield)" = 1 ] || fail "settings not written back after closing the window"
pass

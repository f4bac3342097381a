#!/usr/bin/env bash
# Takes the README's screenshots from the real program with the end-to-end
# harness: the main menu, a game under way and the high-score list.
#   WISPEN_BIN=build/run/wispen WISPEN_RUN_DIR=build/run tests/e2e/make_screenshots.sh docs
OUT=$(cd "${1:-docs}" && pwd)
export E2E_SHOTS_OUT=$OUT
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0" "" "[WISPEN]" "hp1 = 100000"
start_game
wait_window
sleep 1
screenshot "$E2E_SHOTS_OUT/main-menu.png"
hold_key Return
hold_key Right 1.2
hold_key Down 0.8
sleep 5
screenshot "$E2E_SHOTS_OUT/play.png"
hold_key Escape
sleep 0.2
hold_key y
sleep 0.3
hold_key Down; sleep 0.1
hold_key Down; sleep 0.1
hold_key Return
sleep 0.5
screenshot "$E2E_SHOTS_OUT/high-scores.png"
hold_key Escape
sleep 0.2
quit_game
wait_exit 3
pass

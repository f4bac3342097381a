#!/usr/bin/env bash
# The options menu changes settings in place: Enter flips a toggle, Right and
# Left step a slider, the highlight stays on the entry just changed, and every
# change is in Wispen.ini after quitting through the question.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0" "vsync = 0" "" "[SPEED]" "unlimitedFPS = 1" "" \
  "[WISPEN]" "maxParticles = 40" "difficulty = 1"
start_game
wait_window
sleep 0.2
choose MAIN_MENU "Play Game" Options 0.05 0.2
hold_key Return; sleep 0.2          # Use vsync: on
hold_key Down; sleep 0.1
hold_key Return; sleep 0.2          # Unlimited FPS: off, only if the highlight stayed
move_highlight OPTIONS_MENU "Unlimited FPS" Particles
hold_key Right; sleep 0.1           # 60
hold_key Right; sleep 0.1           # stays at 60
hold_key Left; sleep 0.1
hold_key Left; sleep 0.1            # 20
move_highlight OPTIONS_MENU Particles Difficulty
hold_key BackSpace; sleep 0.1       # easy
hold_key Escape; sleep 0.2          # back to the main menu
quit_game
wait_exit 3
expect_status 0
[ "$(ini_value GENERAL vsync)" = 1 ] || fail "vsync $(ini_value GENERAL vsync), expected 1"
[ "$(ini_value SPEED unlimitedFPS)" = 0 ] || fail "unlimitedFPS $(ini_value SPEED unlimitedFPS), expected 0"
[ "$(ini_value WISPEN maxParticles)" = 20 ] || fail "maxParticles $(ini_value WISPEN maxParticles), expected 20"
[ "$(ini_value WISPEN difficulty)" = 0 ] || fail "difficulty $(ini_value WISPEN difficulty), expected 0"
pass

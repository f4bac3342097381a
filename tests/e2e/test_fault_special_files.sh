#!/usr/bin/env bash
# A FIFO in the place of any of the game's five files never holds the game up:
# story and wispen.hsc read as missing (no text, the default table) and the
# game quits with status 0; Wispen.ini reads as missing (the defaults, so full
# screen) and at exit is left alone; data.dat and wispen.it end start-up with
# "Error: couldn't load all data!". Every FIFO is still a FIFO afterwards.
source "$(dirname "$0")/lib.sh"

still_fifo() {
  [ -p "$1" ] || fail "$1 is no longer a FIFO"
}

write_ini "[GENERAL]" "fullscreen = 0" ""

E2E_CASE="story"
mv story story.text
mkfifo story
start_game
wait_window
sleep 0.3
choose MAIN_MENU "Play Game" Story 0.05 0.5
hold_key Return; sleep 0.2
leave_game
still_fifo story
rm story
mv story.text story

E2E_CASE="wispen.hsc"
mkfifo wispen.hsc
start_game
wait_window
sleep 0.3
choose MAIN_MENU "Play Game" "High Scores" 0.05 0.5
hold_key Return; sleep 0.2
leave_game
still_fifo wispen.hsc
[ -e wispen.hsc.tmp ] && fail "a temporary file stayed behind"
rm wispen.hsc

# The defaults open the full screen; the close signal ends it like the button.
E2E_CASE="Wispen.ini"
mv Wispen.ini plain.ini
mkfifo Wispen.ini
start_game
wait_picture full.png 320x240+160+120
kill -TERM "$(pgrep -P "$GAME_PID" -x wispen)"
wait_exit 5
expect_status 0
still_fifo Wispen.ini
rm Wispen.ini
mv plain.ini Wispen.ini

for name in data.dat wispen.it; do
  mkfifo "$(variant "$name" "$name")/$name"
done
expect_variants_end 1 "Error: couldn't load all data!"
pass

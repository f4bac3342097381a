#!/usr/bin/env bash
# Switching away from a game in a window: another client takes the input
# focus, the game waits at the abandon question and nothing in it moves for
# 5 s; back in the window, N returns to the same game and play goes on. The
# same in the main menu changes nothing. A second start while the game runs
# says so and ends with status 1, having changed nothing.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0" "scale = 1" "" "[WISPEN]" "hp1 = 10000" ""
start_game
wait_window
sleep 0.5

# Without a window manager nothing gives the focus back by itself: the game's
# window has it after focus_game, the other client's after focus_other.
xlogo -geometry 100x100+400+300 &
OTHER_PID=$!
trap 'kill $OTHER_PID 2>/dev/null; _e2e_cleanup' EXIT
other=""
for _ in $(seq 50); do
  other=$(xdotool search --onlyvisible --class xlogo 2>/dev/null | head -n 1)
  [ -n "$other" ] && break
  sleep 0.1
done
[ -n "$other" ] || fail "the other client's window did not appear"
focus_game() { _xdo windowfocus --sync "$WIN" || fail "could not give the game the focus"; sleep 0.2; }
focus_other() { _xdo windowfocus --sync "$other" || fail "could not give the other window the focus"; }

# question_shown FILE: the question's "Yes / No" in its light yellow.
question_shown() { [ "$(count_colour "$1" 120x40+100+100 F0DC80)" -gt 10 ]; }

focus_game
ini_before=$(md5sum < Wispen.ini)
E2E_LAUNCHER="" timeout -k 2 10 env HOME="$E2E_DIR/home" PATH="$E2E_DIR/no-programs" ./wispen > second.out 2>&1
second=$?
[ "$second" = 1 ] || fail "a second start ended with status $second, expected 1"
grep -qF "Wispen is already running." second.out || fail "a second start did not say the game is running: $(head -n 3 second.out)"
[ "$(md5sum < Wispen.ini)" = "$ini_before" ] || fail "a second start changed Wispen.ini"
[ "$(xdotool search --name '^Wispen$' 2>/dev/null | wc -l)" = 1 ] || fail "a second window appeared"

focus_other
sleep 1
focus_game
screenshot menu-back.png
question_shown menu-back.png && fail "switching away from the main menu opened a question"

# Still the menu, its highlight on Play Game.
hold_key Return
sleep 1
screenshot play.png
in_game play.png || fail "no game after Play Game"
focus_other
sleep 0.8
screenshot away.png
question_shown away.png || fail "no abandon question after switching away"
sleep 5
screenshot still-away.png
compare -metric AE away.png still-away.png null: 2>/dev/null || fail "the game moved on behind the question"

focus_game
hold_key n
sleep 0.3
screenshot resumed.png
in_game resumed.png || fail "N did not return to the game"
question_shown resumed.png && fail "the question stayed after N"
hold_key Left 1.5
sleep 0.3
screenshot moved.png
compare -metric AE resumed.png moved.png null: 2>/dev/null && fail "play did not go on after N"
abandon_and_quit
pass

#!/usr/bin/env bash
# Games played to their end. A frail creature among many souls dies quickly;
# "GAME OVER!" is drawn and Enter finishes the game. Against a table of
# unbeatable scores that leads back to the main menu and the table stays as it
# was. Against an empty table (eight entries of -1) any score qualifies: the
# name typed in the name entry is in the list and, after the game has ended,
# in wispen.hsc.
E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-170}
source "$(dirname "$0")/lib.sh"
: "${WISPEN_HSC_TOOL:?WISPEN_HSC_TOOL must name the high-score tool}"

write_ini "[GENERAL]" "fullscreen = 0" "" "[WISPEN]" "hp1 = 1" "spawnTime = 20" "difficulty = 1"

# play_until_over: starts a game and holds Enter now and then until the game
# is over, which the high-score check shows by rewriting wispen.hsc.
play_until_over() {
  local before
  before=$(stat -c %Y.%s wispen.hsc 2>/dev/null || echo none)
  sleep 1.1   # the file's time stamp must be able to change
  hold_key Return
  local deadline=$(($(date +%s) + 40))
  while [ "$(stat -c %Y.%s wispen.hsc 2>/dev/null || echo none)" = "$before" ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "the game did not end within 40 s"
    hold_key Return 0.06
    sleep 0.25
  done
}

# A table nobody beats: straight back to the main menu.
"$WISPEN_HSC_TOOL" fill wispen.hsc 2000000000 || fail "could not prepare wispen.hsc"
E2E_GAME_TIMEOUT=100 start_game
wait_window
sleep 0.2
hold_key Return
# "GAME OVER!" is white text above the centre; wait for it before finishing.
wait_game_over
[ "$(count_colour over.png 240x30+40+118 C0C0C0)" -gt 10 ] || fail "no grey \"Press ENTER to continue...\" line"
play_until_over
sleep 0.3
"$WISPEN_HSC_TOOL" dump wispen.hsc | grep -qv '^champion|2000000000$' && fail "the unbeaten table changed"
screenshot menu-after.png
[ "$(pixel menu-after.png $RADAR_PROBE)" = "0,255,255" ] && fail "still on the play screen"

# An empty table: any score of 0 or more qualifies.
: > wispen.hsc
hold_key Return        # Play Game is still highlighted
play_until_over
sleep 0.3
type_text ACE
hold_key Return
sleep 0.3
screenshot list.png
hold_key Escape
sleep 0.2
quit_game
wait_exit 5
expect_status 0
first=$("$WISPEN_HSC_TOOL" dump wispen.hsc | head -n 1)
case "$first" in
  "ACE     |"*) ;;
  *) fail "first entry is \"$first\", expected ACE with the game's score" ;;
esac
[ "$("$WISPEN_HSC_TOOL" dump wispen.hsc | grep -c '|-1$')" = 7 ] || fail "the other seven entries changed"
pass

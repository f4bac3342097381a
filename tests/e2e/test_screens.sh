#!/usr/bin/env bash
# The story scrolls upwards and Enter leaves it; the credits and the high
# scores show their panels and "Back" returns to the main menu, whose
# highlight stays on the entry chosen last.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0"
start_game
wait_window
sleep 0.3
screenshot menu.png

choose MAIN_MENU "Play Game" Story 0.05 0.3
screenshot story1.png
[ "$(pixel story1.png $STORY_PROBE)" = "8,32,24" ] || fail "no story window (got $(pixel story1.png $STORY_PROBE))"
sleep 3
screenshot story2.png
compare -metric AE -extract 298x146+11+81 story1.png story2.png null: 2>/dev/null && fail "the story does not scroll"
hold_key Return
sleep 0.3

choose MAIN_MENU Story Credits 0.05 0.3
screenshot credits.png
same_pixel menu.png credits.png 30 150 && fail "no credits panel"
hold_key Return                  # Back
sleep 0.3
screenshot menu2.png
same_pixel menu.png menu2.png 30 150 || fail "Back did not return to the main menu"

choose MAIN_MENU Credits "High Scores" 0.05 0.3
screenshot scores.png
same_pixel menu.png scores.png 70 150 && fail "no high-score panel"
hold_key Return                  # Back
sleep 0.3
screenshot menu3.png
same_pixel menu.png menu3.png 70 150 || fail "Back did not return from the high scores"
[ -f wispen.hsc ] || fail "viewing the list did not write the table"

quit_game
wait_exit 3
expect_status 0
pass

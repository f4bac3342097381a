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

hold_key Down; sleep 0.1
hold_key Down; sleep 0.1
hold_key Down; sleep 0.1
hold_key Return                  # Story
sleep 0.3
screenshot story1.png
[ "$(pixel story1.png 12 82)" = "8,32,24" ] || fail "no story window (got $(pixel story1.png 12 82))"
sleep 3
screenshot story2.png
compare -metric AE -extract 298x146+11+81 story1.png story2.png null: 2>/dev/null && fail "the story does not scroll"
hold_key Return
sleep 0.3

hold_key Down; sleep 0.1         # Credits, below Story
hold_key Return
sleep 0.3
screenshot credits.png
same_pixel menu.png credits.png 30 150 && fail "no credits panel"
hold_key Return                  # Back
sleep 0.3
screenshot menu2.png
same_pixel menu.png menu2.png 30 150 || fail "Back did not return to the main menu"

hold_key Up; sleep 0.1
hold_key Up; sleep 0.1           # High Scores
hold_key Return
sleep 0.3
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

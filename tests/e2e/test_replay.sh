#!/usr/bin/env bash
# A short game played with keys is kept as the last game's replay;
# "wispen --replay" on that file plays it to its end, where the score line
# reads as it did when the game was over, and says the replay kept in step.
# A file that is no replay gives one "Error: ..." line and status 1.
# "wispen --verify-replay" finds the game in step without a display.
E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-170}
source "$(dirname "$0")/lib.sh"
: "${WISPEN_HSC_TOOL:?WISPEN_HSC_TOOL must name the high-score tool}"

write_ini "[GENERAL]" "fullscreen = 0" "" "[WISPEN]" "hp1 = 6" "spawnTime = 20" "difficulty = 1"
"$WISPEN_HSC_TOOL" fill wispen.hsc 2000000000 || fail "could not prepare wispen.hsc"

SCORE_LINE=112x10+208+4

E2E_GAME_TIMEOUT=100 start_game
wait_window
sleep 0.2
hold_key Return
# Steering into the crowd earns points before the creature is worn down.
for arrow in Left Up Right Down Left Down; do
  hold_key $arrow 0.5
done
wait_game_over
sleep 2   # the shown score has caught up with the points earned
screenshot over.png
deadline=$(($(date +%s) + 20))
while [ ! -s wispen-last.rpl ]; do
  [ "$(date +%s)" -lt "$deadline" ] || fail "no wispen-last.rpl after finishing the game"
  hold_key Return 0.06
  sleep 0.25
done
quit_game
wait_exit 5
expect_status 0

E2E_GAME_ARGS="--replay wispen-last.rpl" E2E_GAME_TIMEOUT=100 start_game
wait_window
deadline=$(($(date +%s) + 60))
while :; do
  screenshot replayed.png
  [ "$(count_colour replayed.png 200x12+60+34 FF4040)" -gt 5 ] && fail "the replay says it is out of step"
  [ "$(count_colour replayed.png 200x12+60+34 A0FFA0)" -gt 5 ] && break
  kill -0 "$GAME_PID" 2>/dev/null || fail "the replay ended before its end was shown"
  [ "$(date +%s)" -lt "$deadline" ] || fail "the replay did not reach its end within 60 s"
  sleep 0.3
done
# Only the score text's own colour counts: the souls behind it move on.
score_text() {
  convert "$1" -crop "$SCORE_LINE" +repage -fill black +opaque '#8CC8F0' "$2"
}
score_text over.png over-score.png
score_text replayed.png replayed-score.png
[ "$(count_colour over-score.png 112x10+0+0 8CC8F0)" -gt 20 ] || fail "no score line in the finished game's picture"
compare -metric AE over-score.png replayed-score.png null: 2>/dev/null || \
  fail "the replay's score line differs from the game's"
hold_key space
wait_exit 5
expect_status 0

printf 'WSPR not really a replay' > broken.rpl
for bad in broken.rpl missing.rpl; do
  timeout 10 env HOME="$E2E_DIR/home" ./wispen --replay "$bad" > "$bad.out" 2>&1
  status=$?
  [ "$status" = 1 ] || fail "--replay $bad ended with status $status, expected 1"
  [ "$(wc -l < "$bad.out")" = 1 ] && grep -q '^Error: ' "$bad.out" || fail "--replay $bad said: $(cat "$bad.out")"
done

# The game just played, checked without a display: in step, status 0, and
# a file that is no replay gives the same one line as above and status 2.
timeout 30 env -u DISPLAY HOME="$E2E_DIR/home" ./wispen --verify-replay wispen-last.rpl > verify.out 2>&1
status=$?
[ "$status" = 0 ] || fail "--verify-replay ended with status $status: $(cat verify.out)"
grep -Eqx 'wispen-last.rpl: recorded ([0-9]+) at tick ([0-9]+), replayed \1 at tick \2: in step' verify.out ||
  fail "--verify-replay said: $(cat verify.out)"
timeout 10 env -u DISPLAY HOME="$E2E_DIR/home" ./wispen --verify-replay broken.rpl > verify.out 2>&1
status=$?
[ "$status" = 2 ] && [ "$(cat verify.out)" = "$(cat broken.rpl.out)" ] || fail "--verify-replay broken.rpl: status $status, $(cat verify.out)"
pass

#!/usr/bin/env bash
# What the player hears at the default volumes: the real game's output,
# recorded through ALSA's file plugin over a few seconds of the main menu, a
# few of play and, in a second game that ends at once, a few of the game over
# music, is near -24 LUFS integrated in all three alike, never reaches full
# scale and keeps its true peak at or under -1 dBTP. The recording runs faster
# than the clock, but it is the mix the driver wrote; its pace over the menu's
# part turns frames back into time for the delay from a key to its sound.
source "$(dirname "$0")/lib.sh"

record_sound
write_ini "[GENERAL]" "fullscreen = 0" ""
start_game
wait_window
sleep 0.5
# The recording's pace against the clock, to turn its frames into time.
paced_bytes=$(stat -c %s mix.raw); paced_from=$(date +%s.%N)
sleep 2.5
paced_to=$(date +%s.%N)
# Enter goes out through an xdotool that reads its commands from a pipe and is
# started beforehand: the delay to the sound is timed from the key, not from
# before a program starts and connects, which takes tens of milliseconds under
# load. Whole stereo frames of 16-bit samples: the menu's part ends here.
coproc KEYS { xdotool - 2>/dev/null; }
sleep 0.2
menu_bytes=$(( $(stat -c %s mix.raw) / 4 * 4 ))
echo "keydown --window $WIN Return" >&"${KEYS[1]}"
sleep 0.05
echo "keyup --window $WIN Return" >&"${KEYS[1]}"
keys_pid=$KEYS_PID
eval "exec ${KEYS[1]}>&-"
wait "$keys_pid" || fail "could not press Return"
sleep 3
abandon_and_quit
[ -s mix.raw ] || fail "nothing was recorded: the game did not play through ALSA"

head -c "$menu_bytes" mix.raw > menu.raw
tail -c +$((menu_bytes + 1)) mix.raw > play.raw

# A frail creature among many souls: the game is over within seconds, and its
# music is metered once the dying sound has faded.
rm -f mix.raw
write_ini "[GENERAL]" "fullscreen = 0" "" "[WISPEN]" "hp1 = 1" "spawnTime = 20" "difficulty = 1"
start_game
wait_window
sleep 0.3
hold_key Return
wait_game_over
sleep 1
over_from=$(( $(stat -c %s mix.raw) / 4 * 4 ))
sleep 2.5
over_to=$(( $(stat -c %s mix.raw) / 4 * 4 ))
close_window
wait_exit 5
expect_status 0
tail -c +$((over_from + 1)) mix.raw | head -c $((over_to - over_from)) > over.raw

for part in menu play over; do
  reference=""; [ $part = play ] && reference=menu.raw
  check_capture $part $reference
  awk -v l="$CAPTURE_LUFS" 'BEGIN { exit !(l >= -27 && l <= -21) }' || fail "$part: integrated loudness $CAPTURE_LUFS LUFS, expected -24 +/- 3"
done
# Enter on "Play Game" plays the select sound and starts the game's music:
# heard within 100 ms of the key, the game's tick and the mixer's fragment
# included (a sound card's own buffer comes on top).
frame=$(sed -nE 's/.*over the reference from frame ([0-9]+).*/\1/p' play.txt)
[ -n "$frame" ] || fail "no sound rose over the menu's music after Enter"
latency=$(awk -v f="$frame" -v b=$((menu_bytes - paced_bytes)) -v t0="$paced_from" -v t1="$paced_to" \
  'BEGIN { printf "%.3f", f / (b / 4 / (t1 - t0)) }')
echo "$E2E_NAME: from Enter to its sound $latency s (frame $frame)"
awk -v l="$latency" 'BEGIN { exit !(l < 0.1) }' || fail "the select sound came $latency s after Enter, expected under 0.1 s"
pass

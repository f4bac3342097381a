#!/usr/bin/env bash
# A game played and a name entered with a gamepad alone, through the library's
# own Linux joystick driver. The pad is a FIFO named as the joystick device in
# Wispen.ini's [joystick] section; fake_pad, preloaded, answers the driver's
# questions about it as an Xbox-style pad would, and the test writes the
# kernel's 8-byte events into it. With the pad turned off in the settings the
# same events do nothing; a pad whose device appears after the start is used,
# and one pulled out steers no more.
E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-170}
source "$(dirname "$0")/lib.sh"
: "${WISPEN_FAKE_PAD:?WISPEN_FAKE_PAD must name the fake pad library}"
: "${WISPEN_HSC_TOOL:?WISPEN_HSC_TOOL must name the high-score tool}"

SOUTH=0; EAST=1; START=7
DPAD_X=6; DPAD_Y=7
FULL=32767

# pad_event TYPE NUMBER VALUE: one js_event (time, value, type, number) into
# the device; type 1 is a button, 2 an axis.
pad_event() {
  perl -e 'print pack("LsCC", 0, $ARGV[2], $ARGV[0], $ARGV[1])' "$1" "$2" "$3" >&3 || fail "could not write to the pad"
}

# press BUTTON, push AXIS VALUE: held for several ticks, then let go.
press() { pad_event 1 "$1" 1; sleep 0.1; pad_event 1 "$1" 0; sleep 0.1; }
push() { pad_event 2 "$1" "$2"; sleep 0.1; pad_event 2 "$1" 0; sleep 0.1; }

# open_pad NAME: a fresh FIFO as the device, opened read-write on descriptor 3
# first, so that neither the game's open nor the test's writes block.
open_pad() {
  rm -f "$1"
  mkfifo "$1" || fail "no FIFO"
  exec 3<> "$1"
}

# hint_width FILE: how wide the grey "Press ... to continue..." line is.
hint_width() {
  convert "$1" -crop "$HINT_BOX" +repage -fill black +opaque "#C0C0C0" -trim -format "%w" info: 2>/dev/null || echo 0
}

FRAIL=("[GENERAL]" "fullscreen = 0" "" "[WISPEN]" "hp1 = 1" "spawnTime = 20" "difficulty = 1" "")

# Turned off: the driver is never installed and the pad's buttons do nothing.
open_pad "$E2E_DIR/pad-off"
write_ini "${FRAIL[@]}" "[GAMEPAD]" "enabled = 0" "" "[joystick]" "joystick_device = $E2E_DIR/pad-off" ""
start_game LD_PRELOAD="$WISPEN_FAKE_PAD"
wait_window
sleep 0.3
press $SOUTH
press $START
sleep 0.3
screenshot off.png
in_game off.png && fail "the pad started a game although it is turned off"
quit_game
wait_exit 5
expect_status 0
[ "$(ini_value GAMEPAD enabled)" = 0 ] || fail "enabled = $(ini_value GAMEPAD enabled), expected 0 written back"
exec 3>&-

# Plugged in only once the game runs: found within two seconds, it chooses
# "Play Game". Pulled out while it holds the D-pad right, it steers no more
# from the next tick on; plugged in again, it is found again. The creature
# starts at full speed, stops as soon as nothing steers it and touches no soul,
# so its dot on the radar shows how long the pad steered.
write_ini "[GENERAL]" "fullscreen = 0" "" "[WISPEN]" "acc = 4" "dec = 0" "rad = 0" "" \
  "[joystick]" "joystick_device = $E2E_DIR/pad-late" ""
rm -f "$E2E_DIR/pad-late"
start_game LD_PRELOAD="$WISPEN_FAKE_PAD"
wait_window
sleep 0.5
open_pad "$E2E_DIR/pad-late"
plugged=$(_now_ms)
until press $SOUTH && screenshot late.png && in_game late.png; do
  [ $(($(_now_ms) - plugged)) -lt 2000 ] || fail "the pad plugged in after the start did not choose Play Game within 2 s"
done
echo "$E2E_NAME: the late pad played after $(($(_now_ms) - plugged)) ms"
pad_event 2 $DPAD_X $FULL
screenshot steering.png
sleep 0.2
rm -f "$E2E_DIR/pad-late"
screenshot pulled.png
sleep 1
screenshot stopped.png
steering_x=$(player_x steering.png)
pulled_x=$(player_x pulled.png)
stopped_x=$(player_x stopped.png)
echo "$E2E_NAME: the player's dot at x $steering_x, $pulled_x as the pad was pulled out, $stopped_x a second later"
[ "$pulled_x" -gt $((steering_x + 1)) ] && [ "$pulled_x" -lt 999 ] || fail "the D-pad did not steer the creature right"
[ "$stopped_x" -le $((pulled_x + 1)) ] || fail "the pad pulled out went on steering"
exec 3>&-
open_pad "$E2E_DIR/pad-late"
plugged=$(_now_ms)
until press $EAST && press $SOUTH && screenshot again.png && ! in_game again.png; do
  [ $(($(_now_ms) - plugged)) -lt 3000 ] || fail "the pad plugged in again did not abandon the game"
done
quit_game
wait_exit 5
expect_status 0
exec 3>&-

# On, against an empty table: play to the end and enter the name BA9.
open_pad "$E2E_DIR/pad"
write_ini "${FRAIL[@]}" "[joystick]" "joystick_device = $E2E_DIR/pad" ""
: > wispen.hsc
E2E_GAME_TIMEOUT=100 start_game LD_PRELOAD="$WISPEN_FAKE_PAD"
wait_window
sleep 0.3
press $SOUTH            # Play Game
sleep 0.3
screenshot play.png
in_game play.png || fail "the south button did not start a game"
pad_event 2 $DPAD_X $FULL
sleep 0.8
pad_event 2 $DPAD_X 0
screenshot steered.png
compare -metric AE play.png steered.png null: 2>/dev/null && fail "the D-pad did not steer"

wait_game_over
# The hint names the button the pad prints for Choose, "A" on this pad; once
# a key of the keyboard is pressed it names the key, ENTER, four letters more.
sleep 0.3
screenshot hint-pad.png
hold_key shift
sleep 0.3
screenshot hint-keys.png
pad_width=$(hint_width hint-pad.png)
key_width=$(hint_width hint-keys.png)
echo "$E2E_NAME: the hint is $pad_width pixels wide after the pad, $key_width after the keyboard"
[ "$pad_width" -gt 0 ] && [ $((key_width - pad_width)) -ge $((3 * key_width / 26)) ] ||
  fail "the hint did not name the pad's A ($pad_width pixels) rather than ENTER ($key_width pixels)"
# The high-score check rewrites wispen.hsc once the game is over.
before=$(stat -c %s wispen.hsc)
deadline=$(($(date +%s) + 20))
while [ "$(stat -c %s wispen.hsc)" = "$before" ]; do
  [ "$(date +%s)" -lt "$deadline" ] || fail "the south button did not end the game"
  press $SOUTH
  sleep 0.2
done
sleep 0.3

push $DPAD_Y -$FULL; push $DPAD_Y -$FULL    # B
push $DPAD_X $FULL
push $DPAD_Y -$FULL                         # A
push $DPAD_X $FULL
push $DPAD_Y $FULL                          # 9, back from the space
press $SOUTH
sleep 0.3
screenshot list.png
press $START            # Enter outside play: Back
sleep 0.2
press $EAST             # the quit question
sleep 0.2
press $SOUTH            # yes
wait_exit 5
expect_status 0

first=$("$WISPEN_HSC_TOOL" dump wispen.hsc | head -n 1)
case "$first" in
  "BA9     |"*) ;;
  *) fail "first entry is \"$first\", expected BA9 with the game's score" ;;
esac
for key in enabled:1 deadZone:50 buttonEnter:0 buttonEscape:1 buttonStart:7; do
  [ "$(ini_value GAMEPAD "${key%%:*}")" = "${key#*:}" ] || fail "[GAMEPAD] ${key%%:*} not written back as ${key#*:}"
done
pass

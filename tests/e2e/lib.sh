# Shared steps of the end-to-end tests: the real game in a scratch copy of the
# run directory, under a private X server, driven with xdotool and watched
# through screenshots, its output, its exit status and the files it writes.
#
#   source "$(dirname "$0")/lib.sh"   # the rest of the script runs inside Xvfb
#   write_ini "[GENERAL]" "fullscreen = 0"
#   start_game && wait_window
#   quit_game
#   wait_exit && expect_status 0
#
# ctest provides WISPEN_BIN, WISPEN_RUN_DIR, WISPEN_SOURCE_DIR, WISPEN_BUILD_DIR
# and WISPEN_WM_CLOSE. Set E2E_KEEP=1 to keep the scratch directory.

set -uo pipefail

: "${WISPEN_BIN:?WISPEN_BIN must name the game executable}"
: "${WISPEN_RUN_DIR:?WISPEN_RUN_DIR must name the run directory}"

# Every test gets its own X server; xdotool, xwd and the game must all run
# inside the one xvfb-run command, which sets a private XAUTHORITY. The whole
# test is one process group under timeout, so nothing outlives it. A random
# first display number keeps parallel tests from racing for the same one.
# E2E_SCREEN, set before sourcing, picks another screen (WxHxDEPTH).
if [ -z "${E2E_INSIDE_XVFB:-}" ]; then
  export E2E_INSIDE_XVFB=1
  exec timeout -s TERM "${E2E_TEST_TIMEOUT:-120}" \
    xvfb-run -a -n $((100 + RANDOM % 4000)) -s "-screen 0 ${E2E_SCREEN:-640x480x24} -extension MIT-SHM" \
    bash "$0" "$@"
fi

E2E_NAME=$(basename "$0" .sh)
E2E_DIR=$(mktemp -d "/tmp/wispen-e2e.XXXXXX")
GAME_PID=""
STATUS=""
WIN=""

_e2e_cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill -TERM "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
  fi
  if [ "${E2E_KEEP:-0}" = 1 ]; then
    echo "$E2E_NAME: scratch directory kept in $E2E_DIR"
  else
    rm -rf "$E2E_DIR"
  fi
}
trap _e2e_cleanup EXIT

# The scratch run directory: the build's data files and the binary under test,
# without any settings or scores a manual run may have left behind.
cp -r "$WISPEN_RUN_DIR"/. "$E2E_DIR"/
rm -f "$E2E_DIR/Wispen.ini" "$E2E_DIR/wispen.hsc"
cp "$WISPEN_BIN" "$E2E_DIR/wispen"
# ALSA finds no card here; a null default device lets the sound driver start
# quietly instead of probing hardware.
mkdir -p "$E2E_DIR/home"
echo 'pcm.!default { type null }' > "$E2E_DIR/home/.asoundrc"
# The game's PATH has no xmessage, so a start-up failure prints its message to
# standard output instead of waiting in a message box for a click.
mkdir -p "$E2E_DIR/no-programs"
cd "$E2E_DIR" || exit 1

_now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The X server (Xvfb of Debian 12) now and then drops a client that connects
# just as another one leaves: the new connection's file number is taken for
# the old one's hang-up. The game then ends at once with "Error: initializing
# Allegro!" and xdotool with "Can't open display". Neither is what a test
# looks at, so such a start or command is tried again, but only while it
# stays rare: a start is retried when it failed so within a second and a
# probe client then finds the server alive, every retry is said in the
# output, and a test fails once its retries outnumber one plus a quarter of
# its starts (retries included), since that is no longer the server's hiccup.
X_ATTEMPTS=4
X_DROP_MS=1000
X_RETRIES=0
X_STARTS=0

# _xdo ARGS...: xdotool ARGS, tried again when it could not reach the server.
# One that takes longer than a second is said: the game's time limit counts
# it too.
_xdo() {
  local attempt started
  started=$(_now_ms)
  for ((attempt = 1; attempt <= X_ATTEMPTS; attempt++)); do
    xdotool "$@" 2>/dev/null && break
    sleep 0.05
  done
  (($(_now_ms) - started < 1000)) || echo "$E2E_NAME: xdotool $* took $(($(_now_ms) - started)) ms"
  ((attempt <= X_ATTEMPTS))
}

# dropped_by_x STATUS OUTPUT-FILE RAN-MS: the game, which ran for RAN-MS,
# ended because the X server dropped its connection while the library
# started, and the server is still there to try again on.
dropped_by_x() {
  [ -n "${DISPLAY:-}" ] && [ "$1" = 1 ] && [ "$3" -lt "$X_DROP_MS" ] &&
    grep -qF "Error: initializing Allegro!" "$2" && xdpyinfo >/dev/null 2>&1
}

# retry_start WHAT: counts one start tried again, says so, and fails the test
# when such starts are no longer rare.
retry_start() {
  X_RETRIES=$((X_RETRIES + 1))
  echo "$E2E_NAME${E2E_CASE:+ [$E2E_CASE]}: the X server dropped $1 at start-up; retry $X_RETRIES of $X_STARTS starts"
  [ "$X_RETRIES" -le $((1 + X_STARTS / 4)) ] || fail "$X_RETRIES of $X_STARTS starts were dropped by the X server"
}

# E2E_CASE, when set, names the variant a script is trying; a failure says it.
fail() {
  echo "FAIL $E2E_NAME${E2E_CASE:+ [$E2E_CASE]}: $*"
  [ -n "$GAME_PID" ] && echo "--- the game started $(($(_now_ms) - GAME_STARTED_MS)) ms before and is" \
    "$(kill -0 "$GAME_PID" 2>/dev/null && echo running || echo gone)"
  for f in game.out game.err; do
    if [ -s "$E2E_DIR/$f" ]; then
      echo "--- $f"
      grep -v '^ALSA lib' "$E2E_DIR/$f" | tail -n 20
    fi
  done
  exit 1
}

pass() {
  echo "PASS $E2E_NAME"
  exit 0
}

# write_ini LINE...: the Wispen.ini the game will read, one argument a line.
# End each section with an empty line ("") as the game's own file does: the
# library's writer adds a missing key at the first blank line after its
# section header, so without one it lands in the next section.
# Unless the lines set yield themselves, the game sleeps between ticks, so the
# tests that run side by side do not each spin a core.
write_ini() {
  local lines=() line added=""
  printf '%s\n' "$@" | grep -qE '^[[:space:]]*yield[[:space:]]*=' && added=1
  for line in "$@"; do
    lines+=("$line")
    if [ -z "$added" ] && [ "$line" = "[GENERAL]" ]; then
      lines+=("yield = 1")
      added=1
    fi
  done
  [ -n "$added" ] || lines=("[GENERAL]" "yield = 1" "" "${lines[@]}")
  printf '%s\n' "${lines[@]}" > "$E2E_DIR/Wispen.ini"
}

# record_sound: the game's sound goes to mix.raw, as raw 16-bit stereo frames,
# through the library's ALSA driver and ALSA's file plugin (its WAV header can
# misstate the sign). The null slave takes frames as fast as the driver writes
# them, so the recording runs faster than the clock.
record_sound() {
  cat > "$E2E_DIR/home/.asoundrc" <<ASOUNDRC
pcm.!default { type file slave.pcm "null" file "$E2E_DIR/mix.raw" format "raw" }
ASOUNDRC
  printf '[sound]\ndigi_card = ALSA\n' > "$E2E_DIR/home/.allegrorc"
}

# check_capture PART [REFERENCE]: meters PART.raw into PART.txt (with
# REFERENCE, a recording whose level a new sound must rise over, the frame
# where one does), says the figures, and fails when the true peak is over
# -1 dBTP or a sample reaches full scale. The integrated loudness is left in
# CAPTURE_LUFS.
check_capture() {
  : "${WISPEN_MUSICCHECK:?WISPEN_MUSICCHECK must name the loudness meter}"
  local peak clipped
  "$WISPEN_MUSICCHECK" --capture "$1.raw" ${2:-} > "$1.txt" || fail "the meter could not read the $1's recording"
  echo "$E2E_NAME: $1: $(cat "$1.txt")"
  read -r CAPTURE_LUFS peak clipped < <(sed -E 's/.*integrated (-?[0-9.inf]+) LUFS.*true peak (-?[0-9.inf]+) dBTP.*clipped ([0-9]+).*/\1 \2 \3/' "$1.txt")
  awk -v p="$peak" 'BEGIN { exit !(p <= -1) }' || fail "$1: true peak $peak dBTP, expected at most -1"
  [ "$clipped" = 0 ] || fail "$1: $clipped samples at full scale"
}

# ini_value SECTION KEY: the value of KEY under [SECTION] in Wispen.ini.
ini_value() {
  awk -v section="[$1]" -v key="$2" '
    /^\[/ { current = $0; next }
    current == section {
      split($0, part, "=")
      name = part[1]; gsub(/[ \t]/, "", name)
      if (name == key) { value = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t\r]+$/, "", value); print value; exit }
    }' "$E2E_DIR/Wispen.ini"
}

# start_game [env arguments...]: starts the game in the background, for at most
# E2E_GAME_TIMEOUT seconds. The arguments go to env, e.g. -u DISPLAY.
# E2E_LAUNCHER, when set, is a command (absolute path and its options) that
# runs the game, e.g. to start it as another user or under a resource limit.
# E2E_GAME_ARGS, when set, are the game's own arguments, e.g. --replay FILE.
# These are usually set for the call alone, so a start tried again after the
# X server dropped it takes them from what the first start kept.
start_game() {
  GAME_ARGS=("$@")
  GAME_TIMEOUT=${E2E_GAME_TIMEOUT:-20}
  GAME_LAUNCHER=${E2E_LAUNCHER:-}
  GAME_OWN_ARGS=${E2E_GAME_ARGS:-}
  _launch_game
}

_launch_game() {
  X_STARTS=$((X_STARTS + 1))
  GAME_STARTED_MS=$(_now_ms)
  # The game's handler of TERM can hang in the library's shutdown; KILL follows.
  timeout -k 2 -s TERM "$GAME_TIMEOUT" \
    env "${GAME_ARGS[@]}" HOME="$E2E_DIR/home" PATH="$E2E_DIR/no-programs" $GAME_LAUNCHER ./wispen $GAME_OWN_ARGS \
    > "$E2E_DIR/game.out" 2> "$E2E_DIR/game.err" &
  GAME_PID=$!
}

# restart_dropped WHY: the game has ended while starting. When the X server
# dropped it, it is started again; otherwise the test fails with WHY.
restart_dropped() {
  wait "$GAME_PID"
  STATUS=$?
  GAME_PID=""
  dropped_by_x "$STATUS" "$E2E_DIR/game.out" $(($(_now_ms) - GAME_STARTED_MS)) || fail "$1"
  retry_start "the game's connection"
  _launch_game
}

# wait_window [SECONDS]: waits until the game's window is on screen and sets
# WIN to its id. WINDOW_MS is how long the game took from start to that point.
wait_window() {
  local limit=$(($(_now_ms) + ${1:-10} * 1000))
  while [ "$(_now_ms)" -lt "$limit" ]; do
    WIN=$(xdotool search --onlyvisible --name '^Wispen$' 2>/dev/null | head -n 1)
    if [ -n "$WIN" ]; then
      WINDOW_MS=$(($(_now_ms) - GAME_STARTED_MS))
      echo "$E2E_NAME: window after ${WINDOW_MS} ms"
      return 0
    fi
    kill -0 "$GAME_PID" 2>/dev/null || restart_dropped "the game ended before its window appeared"
    sleep 0.05
  done
  fail "no window named Wispen within ${1:-10} s"
}

# hold_key KEY [SECONDS]: presses KEY and lets it go SECONDS later, as a
# finger does. The release may find the window gone when the key ended the
# game.
hold_key() {
  _xdo keydown --window "$WIN" "$1" || fail "could not press $1"
  sleep "${2:-0.05}"
  _xdo keyup --window "$WIN" "$1"
  return 0
}

# The main, options and controls menus' lines, top to bottom.
MAIN_MENU=("Play Game" "Options" "High Scores" "Story" "Credits" "Exit")
OPTIONS_MENU=("Use vsync" "Unlimited FPS" "Show FPS" "Yield timeslice" "Particles" "Stars" "Difficulty" "Sound" "Music" "Controls")
CONTROLS_MENU=("Up" "Down" "Left" "Right" "Choose" "Back" "Reset" "Done")

# move_highlight MENU FROM TO [HOLD]: Up or Down presses that move MENU's
# highlight (MENU names one of the arrays above) from line FROM to line TO.
move_highlight() {
  local -n lines=$1
  local i from="" to="" direction=Down
  for i in "${!lines[@]}"; do
    [ "${lines[$i]}" = "$2" ] && from=$i
    [ "${lines[$i]}" = "$3" ] && to=$i
  done
  [ -n "$from" ] && [ -n "$to" ] || fail "no line \"$2\" or \"$3\" in $1"
  [ "$to" -lt "$from" ] && { direction=Up; i=$from; from=$to; to=$i; }
  for ((i = from; i < to; i++)); do
    hold_key $direction "${4:-0.05}"
    sleep 0.08
  done
}

# choose MENU FROM TO [HOLD] [PAUSE]: moves the highlight from FROM to TO and
# presses Enter there, then waits PAUSE seconds (0.15) for the next screen.
choose() {
  move_highlight "$1" "$2" "$3" "${4:-0.05}"
  hold_key Return "${4:-0.05}"
  sleep "${5:-0.15}"
}

# Points of the 320x240 frame the tests read.
HEALTH_PROBE="7 230"       # the health bar's first segment: red while a game is on, grey once worn down
RADAR_PROBE="284 212"      # the radar's centre: the player's cyan dot as a game starts
RADAR_BOX=64x48+252+188    # the radar, a dot to 16 units of the field
STORY_PROBE="12 82"        # inside the story window, dark green
FPS_BOX=40x12+0+0          # the frame-rate overlay, white text on black
GAME_OVER_BOX=140x30+90+90 # the white "GAME OVER!" above the centre
HINT_BOX=320x14+0+122       # the grey hint below it

# in_game FILE: the picture is of a game, its health bar on screen. A frail
# creature may be worn down by the time a loaded machine takes the picture:
# the first segment is then the empty one's grey.
in_game() {
  case "$(pixel "$1" $HEALTH_PROBE)" in 255,0,0 | 64,64,64) return 0 ;; *) return 1 ;; esac
}

# player_x FILE: the x of the player's cyan dot on the radar, 999 without one.
player_x() {
  convert "$1" -crop $RADAR_BOX +repage txt:- | grep -i "#00FFFF" |
    awk -F'[,:]' -v left="${RADAR_BOX#*+}" '{ sum += $1; n++ } END { if (n) printf "%d", int(left) + sum / n; else print 999 }'
}

# fps_shown FILE: the frame-rate overlay is in the picture.
fps_shown() {
  [ "$(count_colour "$1" $FPS_BOX FFFFFF)" -gt 20 ]
}

# abandon_and_quit: the game still running, abandons the game on the play
# screen and quits from the main menu; the game must end with status 0.
abandon_and_quit() {
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while playing"
  hold_key Escape; sleep 0.2
  hold_key y; sleep 0.3
  quit_game
  wait_exit 5
  expect_status 0
}

# quit_game: Escape in the main menu asks whether to quit; Y answers yes.
quit_game() {
  hold_key Escape
  sleep 0.1
  hold_key y
}

# type_text TEXT: one held key per character, slower than the game's tick.
type_text() {
  local i
  for ((i = 0; i < ${#1}; i++)); do
    hold_key "${1:i:1}"
    sleep 0.05
  done
}

# wait_game_over: waits up to 40 s for the white "GAME OVER!" above the
# centre; its screenshot is left in over.png.
wait_game_over() {
  local deadline=$(($(date +%s) + 40))
  while :; do
    screenshot over.png
    [ "$(count_colour over.png $GAME_OVER_BOX FFFFFF)" -gt 10 ] && return 0
    [ "$(date +%s)" -lt "$deadline" ] || fail "no GAME OVER text within 40 s"
    sleep 0.2
  done
}

# same_pixel FILE1 FILE2 X Y: both pictures have the same colour there.
same_pixel() {
  [ "$(pixel "$1" "$3" "$4")" = "$(pixel "$2" "$3" "$4")" ]
}

# close_window: what the window manager's close button sends.
close_window() {
  : "${WISPEN_WM_CLOSE:?WISPEN_WM_CLOSE must name the wm_close helper}"
  local attempt
  for ((attempt = 1; attempt <= X_ATTEMPTS; attempt++)); do
    "$WISPEN_WM_CLOSE" "$WIN" 2>/dev/null && return 0
    sleep 0.05
  done
  fail "could not send WM_DELETE_WINDOW"
}

# screenshot FILE: the game window's picture as a PNG.
screenshot() {
  local attempt
  for ((attempt = 1; attempt <= X_ATTEMPTS; attempt++)); do
    xwd -id "$WIN" -silent > "$E2E_DIR/shot.xwd" 2>/dev/null && convert xwd:"$E2E_DIR/shot.xwd" "$1" && return 0
    sleep 0.05
  done
  fail "no screenshot of window $WIN"
}

# pixel FILE X Y: the pixel's colour as R,G,B in 0..255.
pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]\n" info:
}

# count_colour FILE GEOMETRY HEX: pixels of exactly colour HEX (e.g. FFFFFF),
# opaque, inside GEOMETRY (WxH+X+Y).
count_colour() {
  convert "$1" -crop "$2" +repage txt:- | grep -Eci "#$3(FF)?\b"
}

# enlarged_by FILE GEOMETRY K: inside GEOMETRY (WxH+X+Y, W and H multiples
# of K) every KxK block is one colour, as an enlarged picture's pixels are.
enlarged_by() {
  local size=${2%%+*} w h
  w=${size%x*}
  h=${size#*x}
  convert "$1" -crop "$2" +repage -sample "$((w / $3))x$((h / $3))!" -sample "${w}x${h}!" "$E2E_DIR/resampled.png"
  convert "$1" -crop "$2" +repage "$E2E_DIR/cropped.png"
  compare -metric AE "$E2E_DIR/cropped.png" "$E2E_DIR/resampled.png" null: 2>/dev/null
}

# all_black FILE GEOMETRY: no pixel inside GEOMETRY has any light.
all_black() {
  [ "$(convert "$1" -crop "$2" +repage -format '%[max]' info:)" = 0 ]
}

# In full screen the titled window stays unmapped; the picture is in a window
# inside an unnamed one that covers the display. display_shot FILE takes the
# whole display; fullscreen_window prints the inner window, which takes keys.
display_shot() {
  xwd -root -silent | convert xwd:- "$1" || fail "no screenshot of the display"
}

fullscreen_window() {
  local cover
  cover=$(xwininfo -root -children | awk '/\(has no name\): \(\)/ { print $1; exit }')
  [ -n "$cover" ] && xwininfo -id "$cover" -children | awk '/\(has no name\): \(\)/ { print $1; exit }'
}

# wait_picture FILE GEOMETRY: waits until more than half of GEOMETRY on the
# display is lit, its bottom row too, leaves that screenshot in FILE and sets
# WIN to the full screen window. The library sends a large frame to the
# server in bands of rows, top first, and a screenshot can come between two
# of them; only once the bottom row is lit has the whole first frame arrived.
wait_picture() {
  local deadline=$(($(date +%s) + 10)) lit bottom size=${2%%+*} at=${2#*+}
  bottom="${size%x*}x1+${at%+*}+$((${at#*+} + ${size#*x} - 1))"
  while :; do
    kill -0 "$GAME_PID" 2>/dev/null || restart_dropped "the game ended before drawing"
    WIN=$(fullscreen_window 2>/dev/null)
    if [ -n "$WIN" ]; then
      display_shot "$1"
      lit=$(convert "$1" -crop "$2" +repage -fill white +opaque black -format '%[fx:int(100*mean)]' info:)
      [ "$lit" -gt 50 ] && [ "$(convert "$1" -crop "$bottom" +repage -fill white +opaque black -format '%[fx:int(100*mean)]' info:)" -gt 50 ] && return 0
    fi
    [ "$(date +%s)" -lt "$deadline" ] || fail "nothing drawn inside $2 within 10 s"
    sleep 0.1
  done
}

# leave_game: quit_game from the main menu; the game must end normally, with
# status 0.
leave_game() {
  quit_game
  wait_exit 3
  expect_status 0
}

# wait_exit [SECONDS]: waits for the game to end and sets STATUS. A game still
# running after SECONDS is stopped with TERM and counts as hung.
wait_exit() {
  local limit=$(($(_now_ms) + ${1:-5} * 1000))
  while kill -0 "$GAME_PID" 2>/dev/null; do
    if [ "$(_now_ms)" -ge "$limit" ]; then
      kill -TERM "$GAME_PID" 2>/dev/null
      wait "$GAME_PID" 2>/dev/null
      GAME_PID=""
      fail "the game was still running after ${1:-5} s"
    fi
    sleep 0.02
  done
  wait "$GAME_PID"
  STATUS=$?
  GAME_PID=""
}

expect_status() {
  [ "$STATUS" = "$1" ] || fail "exit status $STATUS, expected $1"
}

# expect_output TEXT: the game printed TEXT on standard output or error.
expect_output() {
  grep -qF -- "$1" "$E2E_DIR/game.out" "$E2E_DIR/game.err" || fail "no \"$1\" in the game's output"
}

# variant NAME FILE: prints a new directory for trying one version of FILE
# (data.dat, wispen.it, story or wispen.hsc) beside other versions. It borrows
# the binary and the other data files from the scratch directory and has its
# own copy of Wispen.ini; NAME/FILE is the caller's to make.
variant() {
  local dir="$E2E_DIR/variants/$1" f
  mkdir -p "$dir"
  for f in wispen data.dat wispen.it story; do
    [ "$f" = "$2" ] || ln -s "$E2E_DIR/$f" "$dir/$f"
  done
  [ -f "$E2E_DIR/Wispen.ini" ] && cp "$E2E_DIR/Wispen.ini" "$dir/"
  echo "$dir"
}

# expect_variants_end STATUS TEXT: starts the game once in every variant
# directory, four at a time, each for at most 10 s, then checks that each
# ended with STATUS and printed TEXT, and removes them. A crash ends with 134
# or 139 and a hang with 124, so neither passes for a start-up failure.
expect_variants_end() {
  local dirs=("$E2E_DIR"/variants/*) i dir
  X_STARTS=$((X_STARTS + ${#dirs[@]}))
  for ((i = 0; i < ${#dirs[@]}; i += 4)); do
    for dir in "${dirs[@]:i:4}"; do
      _run_variant "$dir" &
    done
    wait
  done
  for dir in "${dirs[@]}"; do
    E2E_CASE=$(basename "$dir")
    if dropped_by_x "$(cat "$dir/status")" "$dir/game.out" "$(cat "$dir/ran-ms")"; then
      retry_start "a start"
      X_STARTS=$((X_STARTS + 1))
      _run_variant "$dir"
    fi
    if [ "$(cat "$dir/status")" != "$1" ] || ! grep -qF -- "$2" "$dir/game.out" "$dir/game.err"; then
      cp "$dir/game.out" "$dir/game.err" "$E2E_DIR/"
      fail "exit status $(cat "$dir/status"), expected $1 and \"$2\""
    fi
  done
  E2E_CASE=""
  rm -rf "$E2E_DIR/variants"
}

# _run_variant DIR: one start in DIR; its status and how long it ran (ms) are
# left in DIR/status and DIR/ran-ms.
_run_variant() {
  local started
  started=$(_now_ms)
  (cd "$1" && timeout -k 2 -s TERM 10 env HOME="$E2E_DIR/home" PATH="$E2E_DIR/no-programs" ./wispen \
     > game.out 2> game.err; echo $? > status)
  echo $(($(_now_ms) - started)) > "$1/ran-ms"
}

# random_bytes COUNT SEED: COUNT bytes that look random but are the same for
# the same SEED, so a failure on them can be tried again.
random_bytes() {
  LC_ALL=C awk -v n="$1" -v seed="$2" 'BEGIN { srand(seed); for (i = 0; i < n; i++) printf "%c", int(rand() * 256) }'
}

# saving_session: a session, in the current directory, after which the game
# means to write both of its files: it turns the frame-rate overlay on in the
# options (and checks that it shows), opens the high-score list (which
# rewrites wispen.hsc), plays for a moment, abandons the game and quits
# through the question with status 0.
saving_session() {
  local hold=0.1
  start_game
  wait_window
  sleep 0.3
  choose MAIN_MENU "Play Game" Options $hold 0.2
  choose OPTIONS_MENU "Use vsync" "Show FPS" $hold 0.3
  screenshot "$E2E_DIR/overlay.png"
  fps_shown "$E2E_DIR/overlay.png" || fail "the frame-rate overlay did not come on"
  hold_key Escape $hold; sleep 0.2
  choose MAIN_MENU Options "High Scores" $hold 0.3
  screenshot "$E2E_DIR/list.png"
  [ "$(pixel "$E2E_DIR/list.png" 160 130)" = "$(pixel "$E2E_DIR/overlay.png" 160 130)" ] && fail "no high-score list"
  hold_key Return $hold; sleep 0.2        # Back
  choose MAIN_MENU "High Scores" "Play Game" $hold 0.8
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while playing"
  hold_key Escape $hold; sleep 0.2
  hold_key y $hold; sleep 0.3
  hold_key Escape $hold; sleep 0.1
  hold_key y $hold
  wait_exit 5
  expect_status 0
}

# old_player_files: old.ini and old.hsc, the player's files before a saving
# session: a few settings, and a short table that any rewrite makes 96 bytes.
old_player_files() {
  printf '[GENERAL]\nfullscreen = 0\n\n[SPEED]\nshowFPS = 0\n' > "$E2E_DIR/old.ini"
  "$WISPEN_HSC_TOOL" fill "$E2E_DIR/full.hsc" 9999 || fail "could not prepare a table"
  head -c 50 "$E2E_DIR/full.hsc" > "$E2E_DIR/old.hsc"
}

# player_dir DIR: the old files in DIR and the rest of the run directory linked.
player_dir() {
  mkdir -p "$1"
  ln -sf "$E2E_DIR/wispen" "$E2E_DIR/data.dat" "$E2E_DIR/wispen.it" "$E2E_DIR/story" "$1/"
  cp "$E2E_DIR/old.ini" "$1/Wispen.ini"
  cp "$E2E_DIR/old.hsc" "$1/wispen.hsc"
}

# untouched DIR [EXTRA...]: the old files are as they were and nothing but
# the EXTRA names was added.
untouched() {
  local dir=$1 expected
  shift
  cmp -s "$E2E_DIR/old.ini" "$dir/Wispen.ini" || fail "Wispen.ini changed: $(tr '\n' ' ' < "$dir/Wispen.ini")"
  cmp -s "$E2E_DIR/old.hsc" "$dir/wispen.hsc" || fail "wispen.hsc changed ($(stat -c %s "$dir/wispen.hsc") bytes)"
  expected=$(printf '%s\n' Wispen.ini data.dat story wispen wispen.hsc wispen.it "$@" | sort | tr '\n' ' ')
  [ "$(ls -A "$dir" | sort | tr '\n' ' ')" = "$expected" ] || fail "files left behind: $(ls -A "$dir" | tr '\n' ' ')"
}

# written DIR: the session's settings and a whole table replaced the old files.
written() {
  grep -qE '^showFPS *= *1' "$1/Wispen.ini" || fail "Wispen.ini was not written: $(tr '\n' ' ' < "$1/Wispen.ini")"
  [ "$(stat -c %s "$1/wispen.hsc")" = 96 ] || fail "wispen.hsc was not rewritten"
}

# session_in DIR: saving_session with DIR as the working directory.
session_in() {
  cd "$1" || fail "no directory $1"
  saving_session
  cd "$E2E_DIR" || exit 1
}

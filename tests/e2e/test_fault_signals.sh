#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP (a desktop logging out, Ctrl+C, a closed
# terminal) end the game as the close button does: right after "Show FPS" is
# turned on in the options, the signal ends it with status 0 and Wispen.ini
# has the change. The library's own handler aborted about once in twenty
# deliveries while the game was inside a screen update, so each signal is sent
# in E2E_SIGNAL_ROUNDS runs (3 by default; more for a long hunt): none may end
# in an abort, a core dump or the signal itself, and the library's handler,
# which says so on standard error, must never run at all. A second signal right after the first still ends
# the game within seconds.
E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-280}
source "$(dirname "$0")/lib.sh"

ROUNDS=${E2E_SIGNAL_ROUNDS:-3}

# game_process: the game itself, which start_game runs under timeout.
game_process() {
  local pid
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    pid=$(pgrep -P "$GAME_PID" -x wispen | head -n 1)
    [ -n "$pid" ] && { echo "$pid"; return 0; }
    sleep 0.05
  done
  fail "no game process under $GAME_PID"
}

# options_changed: the game on its options menu with "Show FPS" just turned
# on.
options_changed() {
  local hold=0.1
  write_ini "[GENERAL]" "fullscreen = 0" "" "[SPEED]" "showFPS = 0" ""
  start_game
  wait_window
  sleep 0.2
  choose MAIN_MENU "Play Game" Options $hold
  choose OPTIONS_MENU "Use vsync" "Show FPS" $hold
  screenshot overlay.png
  fps_shown overlay.png || fail "the frame-rate overlay did not come on"
}

ended_like_the_close_button() {
  expect_status 0
  grep -q "Shutting down Allegro" game.err && fail "the library's signal handler ran"
  [ "$(ini_value SPEED showFPS)" = 1 ] || fail "showFPS $(ini_value SPEED showFPS), expected the 1 just chosen"
  [ -z "$(ls -A | grep -E '^core|\.tmp$')" ] || fail "left behind: $(ls -A | grep -E '^core|\.tmp$')"
}

runs=0
for signal in TERM INT HUP; do
  for ((round = 1; round <= ROUNDS; round++)); do
    E2E_CASE="SIG$signal, run $round"
    options_changed
    kill -s "$signal" "$(game_process)" || fail "could not send SIG$signal"
    wait_exit 5
    ended_like_the_close_button
    runs=$((runs + 1))
  done
done
echo "$E2E_NAME: $runs signals, each ended with status 0 and the change saved"

for signal in TERM INT HUP; do
  E2E_CASE="SIG$signal twice"
  options_changed
  pid=$(game_process)
  kill -s "$signal" "$pid"; kill -s "$signal" "$pid" 2>/dev/null
  wait_exit 3
  # Whether the second one came before the loop ended or during the shutdown,
  # the game ends at once, by the signal at worst, never by an abort.
  case "$STATUS" in
    0|129|130|143) ;;
    *) fail "exit status $STATUS after two signals" ;;
  esac
done
pass

#!/usr/bin/env bash
# Without a sound device the game runs silent: ALSA with no card behind its
# default device, ALSA pointed at a card that does not exist, and ALSA without
# its configuration. Each time the library finds no digital sound driver; the
# menus (which play their select sound), the music and a game that plays its
# wails all go on, the volumes can be changed, and the game quits with
# status 0 and writes its settings.
source "$(dirname "$0")/lib.sh"

# silent_session [env arguments...]: the session under the given environment.
silent_session() {
  write_ini "[GENERAL]" "fullscreen = 0" "" "[WISPEN]" "volSound = 250" "volMusic = 250"
  start_game "$@"
  wait_window
  sleep 0.3
  choose MAIN_MENU "Play Game" Options 0.05 0.2
  move_highlight OPTIONS_MENU "Use vsync" Sound
  hold_key Left; sleep 0.1          # Sound: 225
  move_highlight OPTIONS_MENU Sound Music
  hold_key Left; sleep 0.1          # Music: 225
  hold_key Escape; sleep 0.2
  choose MAIN_MENU Options "Play Game" 0.05 1.5
  abandon_and_quit
  [ "$(ini_value WISPEN volSound)" = 225 ] || fail "volSound $(ini_value WISPEN volSound), expected 225"
  [ "$(ini_value WISPEN volMusic)" = 225 ] || fail "volMusic $(ini_value WISPEN volMusic), expected 225"
}

E2E_CASE="no card"
rm -f home/.asoundrc
silent_session

E2E_CASE="a card that does not exist"
echo 'pcm.!default { type hw card 7 }' > home/.asoundrc
silent_session

E2E_CASE="no ALSA configuration"
rm -f home/.asoundrc
silent_session ALSA_CONFIG_PATH="$E2E_DIR/missing/alsa.conf"
grep -q 'alsa.conf' game.err || fail "ALSA did not look for the missing configuration"
pass

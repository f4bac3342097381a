#!/usr/bin/env bash
# Story files that are not the game's short text: missing, empty, binary, a
# directory, one enormous line (4 GiB, most of it a hole on disk), an endless
# one (/dev/zero) and millions of lines. The window opens within a few seconds
# every time, because only a bounded part of the file is read; the story
# screen opens, scrolls and is left, and the game quits with status 0.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0"
# Reading a whole 4 GiB line takes minutes; a bounded read takes well under a
# second even on a busy machine.
STARTUP_LIMIT=5

# read_story: starts the game, opens the story, checks its window is drawn,
# runs the text fast and back, leaves and quits.
read_story() {
  start_game
  wait_window $STARTUP_LIMIT
  sleep 0.3
  choose MAIN_MENU "Play Game" Story 0.05 0.3
  screenshot story.png
  [ "$(pixel story.png $STORY_PROBE)" = "8,32,24" ] || fail "no story window (got $(pixel story.png $STORY_PROBE))"
  hold_key Down 0.2
  hold_key Up 0.2
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended in the story"
  hold_key Return
  sleep 0.2
  quit_game
  wait_exit 5
  expect_status 0
}

E2E_CASE="the build's story"
read_story

E2E_CASE="missing"
rm -f story
read_story

E2E_CASE="empty"
: > story
read_story

E2E_CASE="binary"
random_bytes 65536 31 > story
read_story

E2E_CASE="a directory"
rm -f story
mkdir story
read_story
rmdir story

E2E_CASE="one enormous line"
head -c 3000 /dev/zero | tr '\0' x > story
truncate -s 4G story
read_story

E2E_CASE="one endless line"
rm -f story
ln -s /dev/zero story
read_story

E2E_CASE="millions of lines"
rm -f story
yes "a line" | head -n 3000000 > story
read_story
pass

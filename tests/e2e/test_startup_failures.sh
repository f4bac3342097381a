#!/usr/bin/env bash
# A start-up failure prints its fixed message and ends with status 1, without a
# crash. Before the settings are read the player's file is left alone; after
# that it is written back as read.
source "$(dirname "$0")/lib.sh"

# Without a display the library finds no system driver at all.
write_ini "[GENERAL]" "fullscreen = 0" "w = 400"
cp Wispen.ini before.ini
start_game -u DISPLAY
wait_exit 5
expect_status 1
expect_output "Error: initializing Allegro!"
cmp -s before.ini Wispen.ini || fail "Wispen.ini was rewritten after the library failed to start"

# Sizes the display cannot take never reach it.
for size in "w = 0" "w = -5" "h = 8193" "w = 100000|h = 100000"; do
  IFS='|' read -r -a lines <<< "$size"
  write_ini "[GENERAL]" "fullscreen = 0" "${lines[@]}"
  start_game
  wait_exit 5
  [ "$STATUS" = 1 ] || fail "$size: exit status $STATUS, expected 1"
  expect_output "Error: initializing graphics mode!"
  value=${lines[0]#* = }
  key=${lines[0]%% = *}
  [ "$(ini_value GENERAL "$key")" = "$value" ] || fail "$size: Wispen.ini not written back as read"
  [ -n "$(ini_value WISPEN volMusic)" ] || fail "$size: Wispen.ini lacks the other settings"
done
pass

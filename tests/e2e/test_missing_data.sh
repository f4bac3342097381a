#!/usr/bin/env bash
# Without data.dat or without wispen.it the game cannot start: it says so with
# its fixed message and ends with status 1.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0"
for missing in data.dat wispen.it; do
  mv "$missing" "$missing.away"
  start_game
  wait_exit 10
  expect_status 1
  expect_output "Error: couldn't load all data!"
  mv "$missing.away" "$missing"
done
pass

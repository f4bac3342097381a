#!/usr/bin/env bash
# High-score files the game did not write itself: missing, empty, short,
# longer than the 96-byte table, random bytes, written without the password,
# and a directory in its place. Each time the list opens, shows its eight
# lines, and the game quits with status 0; afterwards the file is a whole
# table again, holding what the game read (a directory stays a directory).
source "$(dirname "$0")/lib.sh"
: "${WISPEN_HSC_TOOL:?WISPEN_HSC_TOOL must name the high-score tool}"

write_ini "[GENERAL]" "fullscreen = 0"
TABLE_BYTES=96

# dump FILE: the table as the game reads it, one "name|score" line an entry,
# from a copy, because reading through the table writes the file back.
dump() {
  cp "$1" dump.hsc
  "$WISPEN_HSC_TOOL" dump dump.hsc || fail "hsc_tool could not read $1"
  rm -f dump.hsc dump.hsc.tmp
}

# view_scores: opens the high-score list, checks that it is on screen, goes
# back and quits through the question.
view_scores() {
  start_game
  wait_window
  sleep 0.3
  screenshot menu.png
  choose MAIN_MENU "Play Game" "High Scores" 0.05 0.3
  screenshot scores.png
  compare -metric AE -extract 140x110+90+80 menu.png scores.png null: 2>/dev/null && fail "no high-score list"
  hold_key Return
  sleep 0.2
  quit_game
  wait_exit 5
  expect_status 0
}

# whole_table: wispen.hsc is a table of the game's size again.
whole_table() {
  [ -f wispen.hsc ] || fail "no wispen.hsc after the game"
  [ "$(stat -c %s wispen.hsc)" = $TABLE_BYTES ] || fail "wispen.hsc has $(stat -c %s wispen.hsc) bytes"
  # A name may hold any byte, a line break too, but each entry ends a line
  # with its score.
  [ "$(dump wispen.hsc | grep -cE '[|]-?[0-9]+$')" = 8 ] || fail "wispen.hsc does not read as eight entries"
}

E2E_CASE="missing"
rm -f wispen.hsc
view_scores
whole_table
expected=$(for s in 8000 7000 6000 5000 4000 3000 2000 1000; do echo "nobody  |$s"; done)
[ "$(dump wispen.hsc)" = "$expected" ] || fail "not the default table: $(dump wispen.hsc | tr '\n' ' ')"

E2E_CASE="empty"
: > wispen.hsc
view_scores
whole_table
[ "$(dump wispen.hsc)" = "$(printf '|-1\n%.0s' 1 2 3 4 5 6 7 8)" ] || fail "not eight empty entries of -1"

# A file cut after two and a half records: the third name is made of the
# bytes that were read and the rest of the previous name; from there on every
# score reads as -1.
"$WISPEN_HSC_TOOL" fill full.hsc 9999 || fail "could not prepare a table"
E2E_CASE="short"
head -c 30 full.hsc > wispen.hsc
view_scores
whole_table
expected="$(printf 'champion|9999\n%.0s' 1 2)
$(printf 'champion|-1\n%.0s' 1 2 3 4 5 6)"
[ "$(dump wispen.hsc)" = "$expected" ] || fail "short file read as: $(dump wispen.hsc | tr '\n' ' ')"

E2E_CASE="longer than the table"
{ cat full.hsc; random_bytes 104 21; } > wispen.hsc
view_scores
whole_table
cmp -s -n $TABLE_BYTES full.hsc wispen.hsc || fail "the first 96 bytes changed"
[ "$(dump wispen.hsc | sort -u)" = "champion|9999" ] || fail "the table is not the one the file began with"

# Foreign bytes: whatever names and scores they decode to are shown and kept.
for variant in "random 96:96:22" "random 500:500:23" "random 7:7:24"; do
  IFS=: read -r E2E_CASE count seed <<< "$variant"
  random_bytes "$count" "$seed" > wispen.hsc
  before=$(dump wispen.hsc)
  view_scores
  whole_table
  [ "$(dump wispen.hsc)" = "$before" ] || fail "the table changed between reading and writing"
done

# The plain stream, written with no password: eight records of "ACE" and
# 5000. Read under the game's password it is noise, shown and kept as such.
E2E_CASE="written without the password"
for i in 1 2 3 4 5 6 7 8; do printf 'ACE\0\0\0\0\0\x88\x13\0\0'; done > wispen.hsc
[ "$(stat -c %s wispen.hsc)" = $TABLE_BYTES ] || fail "could not prepare the plain stream"
before=$(dump wispen.hsc)
[ "$before" = "$(printf 'ACE|5000\n%.0s' 1 2 3 4 5 6 7 8)" ] && fail "the plain stream read as plain text"
view_scores
whole_table
[ "$(dump wispen.hsc)" = "$before" ] || fail "the table changed between reading and writing"

E2E_CASE="a directory"
rm -f wispen.hsc
mkdir wispen.hsc
touch wispen.hsc/keep
view_scores
[ -d wispen.hsc ] && [ -f wispen.hsc/keep ] || fail "the directory was replaced"
[ -z "$(ls -A | grep -F 'wispen.hsc.')" ] || fail "a temporary file stayed behind: $(ls -A | grep -F 'wispen.hsc.')"
pass

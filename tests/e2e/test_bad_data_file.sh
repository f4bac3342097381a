#!/usr/bin/env bash
# A datafile the game cannot use ends start-up with its fixed message and
# status 1, never a crash or a hang: each required object missing in turn, the
# file cut short anywhere (also a few bytes into an object's type, where the
# library's own loader would call a loader that does not exist), other files
# in its place and objects stored under the wrong type. Without only the
# optional objects, or with the font stored as raw bytes, the game plays.
E2E_TEST_TIMEOUT=${E2E_TEST_TIMEOUT:-200}
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0"
mv data.dat whole.dat

REQUIRED=(BACK SPACE)
for i in 1 2 3 4 5 6 7 8; do REQUIRED+=("FACE${i}G" "FACE${i}B"); done
for i in 1 2 3 4; do REQUIRED+=("TAIL${i}G" "TAIL${i}B"); done
for i in 1 2 3 4 5 6 7; do REQUIRED+=("STAR$i"); done
REQUIRED+=(AMB1 AMB2)
for i in 0 1 2 3 4 5 6 7 8 9; do REQUIRED+=("SCR$i"); done
OPTIONAL=(FNT1 DIE THUMP COLLECT SELECT)

# listed FILE: the names of the objects in a datafile, one a line.
listed() {
  dat -l "$1" 2>/dev/null | awk '$1 == "-" { print $4 }'
}

DATA_MESSAGE="Error: couldn't load all data!"

# plays: the game opens on the data.dat in place, starts a game, abandons it
# and quits with status 0.
plays() {
  start_game
  wait_window
  sleep 0.3
  hold_key Return
  sleep 1
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended while playing"
  hold_key Escape
  sleep 0.2
  hold_key y
  sleep 0.3
  quit_game
  wait_exit 5
  expect_status 0
}

# The untouched datafile plays, so every refusal below comes from the damage.
E2E_CASE="whole datafile"
for name in "${REQUIRED[@]}" "${OPTIONAL[@]}"; do
  listed whole.dat | grep -qx "$name" || fail "the build's datafile lacks $name"
done
cp whole.dat data.dat
plays

for name in "${REQUIRED[@]}"; do
  E2E_CASE="without $name"
  dir=$(variant "without-$name" data.dat)
  cp whole.dat "$dir/data.dat"
  dat -d "$dir/data.dat" "$name" >/dev/null
  listed "$dir/data.dat" | grep -qx "$name" && fail "dat did not delete $name"
done
expect_variants_end 1 "$DATA_MESSAGE"

E2E_CASE="without every optional object"
cp whole.dat data.dat
dat -d data.dat "${OPTIONAL[@]}" >/dev/null
[ -z "$(listed data.dat | grep -xE "$(IFS='|'; echo "${OPTIONAL[*]}")")" ] || fail "dat did not delete them"
plays

size=$(stat -c %s whole.dat)
# Where an object's type field starts: after its NAME property, "prop" "NAME",
# a four-byte length and the name itself.
type_offset() {
  local at
  at=$(grep -boa "NAME....$1" whole.dat | head -n 1 | cut -d: -f1)
  [ -n "$at" ] || fail "no NAME property for $1 in the datafile"
  echo $((at + 8 + ${#1}))
}
cuts=(0 4 8 12 1000 $((size / 2)) $((size - 1)))
for name in BACK SCR9 THUMP; do
  start=$(type_offset "$name")
  cuts+=("$start" $((start + 2)) $((start + 3)) $((start + 20)))
done
E2E_CASE="preparing damaged files"
for cut in "${cuts[@]}"; do
  head -c "$cut" whole.dat > "$(variant "cut-to-$cut-of-$size" data.dat)/data.dat"
done
: > "$(variant empty data.dat)/data.dat"
random_bytes 65536 11 > "$(variant random-bytes data.dat)/data.dat"
{ head -c 12 whole.dat; random_bytes 65536 11; } > "$(variant magic-then-random-bytes data.dat)/data.dat"
for other in wispen.it story wispen; do
  cp "$other" "$(variant "$other-renamed" data.dat)/data.dat"
done
mkdir "$(variant directory data.dat)/data.dat"
expect_variants_end 1 "$DATA_MESSAGE"

# Objects of another type under the names the game loads: a sample as the
# background, a picture as a wail. The font is optional: raw bytes under its
# name leave the library's font in use.
dat -e whole.dat DIE -o die.wav >/dev/null
dat -e whole.dat STAR1 -o star.bmp >/dev/null
random_bytes 3000 12 > raw.bin
[ -s die.wav ] && [ -s star.bmp ] || fail "could not export a sample and a picture"
# swap NAME TYPE FILE TARGET: the build's datafile with FILE stored as NAME of
# type TYPE instead of the object of that name, written to TARGET.
swap() {
  local name=$1 type=$2 file=$3 target=$4
  cp whole.dat "$target"
  dat -d "$target" "$name" >/dev/null
  dat -a -k -s1 -t "$type" -bpp 32 "$target" "$file" "NAME=$name" >/dev/null
  dat -l "$target" | grep -qE "^- $type +- $name " || fail "could not store $name as $type"
}
swap BACK SAMP die.wav "$(variant BACK-as-a-sample data.dat)/data.dat"
swap SCR0 BMP star.bmp "$(variant SCR0-as-a-picture data.dat)/data.dat"
swap SPACE DATA raw.bin "$(variant SPACE-as-raw-bytes data.dat)/data.dat"
expect_variants_end 1 "$DATA_MESSAGE"
E2E_CASE="FNT1 stored as raw bytes"
swap FNT1 DATA raw.bin data.dat
plays
pass

#!/usr/bin/env bash
# A music module the game cannot read ends start-up with the data message and
# status 1, never a crash or a hang: missing, empty, cut short anywhere, random
# bytes (also behind the module's own magic), another file in its place, a
# directory. The module player refuses a module that is short by one byte.
source "$(dirname "$0")/lib.sh"

write_ini "[GENERAL]" "fullscreen = 0"
mv wispen.it whole.it
size=$(stat -c %s whole.it)
[ "$(head -c 4 whole.it)" = IMPM ] || fail "the build's wispen.it is not an Impulse Tracker module"

variant missing wispen.it >/dev/null
: > "$(variant empty wispen.it)/wispen.it"
for cut in 4 100 1000 $((size / 3)) $((size / 2)) $((size - 1000)) $((size - 1)); do
  head -c "$cut" whole.it > "$(variant "cut-to-$cut-of-$size" wispen.it)/wispen.it"
done
random_bytes 65536 11 > "$(variant random-bytes wispen.it)/wispen.it"
{ printf IMPM; random_bytes 65536 11; } > "$(variant magic-then-random-bytes wispen.it)/wispen.it"
{ head -c 192 whole.it; random_bytes 65536 11; } > "$(variant header-then-random-bytes wispen.it)/wispen.it"
cp data.dat "$(variant data.dat-renamed wispen.it)/wispen.it"
cp story "$(variant story-renamed wispen.it)/wispen.it"
mkdir "$(variant directory wispen.it)/wispen.it"
expect_variants_end 1 "Error: couldn't load all data!"

# The whole module plays, so each refusal above came from the damage.
E2E_CASE="whole module"
mv whole.it wispen.it
start_game
wait_window
sleep 0.3
quit_game
wait_exit 5
expect_status 0
pass

#!/usr/bin/env bash
# Packs the painted pictures, the font grid and the synthesised samples of a
# work directory into the game's datafile, with the object names and types
# the game loads: the list the painter prints from the manifest the game
# itself is built with. Fails, leaving any old datafile alone, when an input is
# missing or the packed file does not list exactly the expected objects, so a
# broken asset build is never mistaken for a good one.
# Usage: scripts/make_datafile.sh <work dir> <data.dat> <wispen_paint>
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 <work dir> <data.dat> <wispen_paint>" >&2
  exit 2
fi
work=$(cd "$1" && pwd)
out_dir=$(cd "$(dirname "$2")" && pwd)
out="$out_dir/$(basename "$2")"

# Object name, datafile type and file, one object per line. The pictures
# stored as JPEG load as bitmaps once the game has registered the type.
manifest=$("$3" --manifest) || { echo "make_datafile: $3 --manifest failed" >&2; exit 1; }
mapfile -t objects <<<"$manifest"
[ "${#objects[@]}" -gt 0 ] && [ -n "${objects[0]}" ] || { echo "make_datafile: an empty manifest" >&2; exit 1; }

missing=0
for entry in "${objects[@]}"; do
  read -r name type file <<<"$entry"
  if [ ! -s "$work/$file" ]; then
    echo "make_datafile: missing $work/$file (for $name)" >&2
    missing=1
  fi
done
[ "$missing" -eq 0 ] || exit 1

tmp="$out.tmp.$$"
trap 'rm -f "$tmp"' EXIT
rm -f "$tmp"

# dat names an object after its file ("back.jpg" gives BACK_JPG), so each
# file is added on its own and named with the NAME property. -s1 drops the
# grabber's file names and dates, which keeps the datafile the same on every
# build; names and types stay. Bitmaps are kept at 32 bits so the mask
# colour survives exactly.
cd "$work"
for entry in "${objects[@]}"; do
  read -r name type file <<<"$entry"
  options=(-a -k -s1 -c1 -t "$type")
  [ "$type" = BMP ] && options+=(-bpp 32)
  if ! dat "${options[@]}" "$tmp" "$file" "NAME=$name" >/dev/null; then
    echo "make_datafile: dat could not add $file as $name" >&2
    exit 1
  fi
done

expected=$(for entry in "${objects[@]}"; do read -r name type file <<<"$entry"; echo "$name $type"; done | sort)
listed=$(dat -l "$tmp" | awk '$1 == "-" { print $4, $2 }' | sort)
if [ "$listed" != "$expected" ]; then
  echo "make_datafile: $tmp does not hold the expected objects:" >&2
  diff <(echo "$expected") <(echo "$listed") >&2 || true
  exit 1
fi

mv "$tmp" "$out"
trap - EXIT
echo "make_datafile: $out, ${#objects[@]} objects, $(stat -c %s "$out") bytes"

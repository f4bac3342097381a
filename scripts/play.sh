#!/usr/bin/env bash
# Installs what building and playing needs, builds the game without its tests,
# installs it into build/stage and starts it through its launcher, so your
# settings and scores are kept in ~/.local/share/wispen, not in the build.
# The launcher's options pass through: scripts/play.sh --replay FILE.
set -euo pipefail
caller=$(pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh --play -B build
rm -rf build/stage
DESTDIR="$root/build/stage" cmake --install build --prefix /usr/local >/dev/null
cd "$caller"
exec "$root/build/stage/usr/local/games/wispen" "$@"

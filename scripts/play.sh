#!/usr/bin/env bash
# Sets everything up, then starts the game in its run directory (the game reads
# and writes its files in the working directory).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
cd build/run
exec ./wispen

#!/usr/bin/env bash
# Measures the processor time the game takes per second of the main menu and
# of play, at the installed defaults, in a window at 1x and in full screen at
# 3x under Xvfb, beside what its own work costs (60 ticks, 60 frames and 60
# presents at that scale, from the benchmarks), and how often its main thread
# wakes up (voluntary context switches in /proc/PID/task/PID/status).
#
#   scripts/measure-cpu.sh [BUILD_DIR] [SETTING=VALUE...]
#
# BUILD_DIR (build) must hold the game and the benchmarks. Each SETTING=VALUE
# goes into [GENERAL] over the installed defaults, e.g. yield=0 for the game
# that spins. SECONDS_MEASURED (5) sets each measurement's length.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
shift || true
seconds=${SECONDS_MEASURED:-5}

if [ -z "${MEASURE_INSIDE_XVFB:-}" ]; then
  for tool in xvfb-run xdotool; do
    command -v "$tool" >/dev/null || { echo "measure-cpu: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
  done
  [ -x "$build/run/wispen" ] && [ -x "$build/bench/wispen_bench" ] ||
    { echo "measure-cpu: $build lacks run/wispen or bench/wispen_bench" >&2; exit 1; }
  export MEASURE_INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$build" "$@"
fi

ticks_per_second=$(getconf CLK_TCK)

# cpu_ticks PID: user and system time of every thread of PID, in clock ticks;
# main_ticks PID the same of its main thread alone.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
main_ticks() { awk '{ print $14 + $15 }' "/proc/$1/task/$1/stat"; }

# wakeups PID: voluntary context switches of PID's main thread.
wakeups() { awk '/^voluntary_ctxt_switches/ { print $2 }' "/proc/$1/task/$1/status"; }

# measure PID WHAT: prints the CPU share of the whole game and of its main
# thread, and the main thread's wake-ups per second, over the next $seconds
# seconds. The rest of the game's share is the library's threads: timer,
# input and sound.
measure() {
  local cpu0 main0 wake0 cpu1 main1 wake1
  cpu0=$(cpu_ticks "$1"); main0=$(main_ticks "$1"); wake0=$(wakeups "$1")
  sleep "$seconds"
  cpu1=$(cpu_ticks "$1"); main1=$(main_ticks "$1"); wake1=$(wakeups "$1")
  awk -v what="$2" -v c=$((cpu1 - cpu0)) -v m=$((main1 - main0)) -v w=$((wake1 - wake0)) \
    -v hz="$ticks_per_second" -v s="$seconds" \
    'BEGIN { printf "  %-6s %5.1f %% of a core (main thread %4.1f %%), main thread %5.0f wake-ups/s\n",
                    what, 100 * c / hz / s, 100 * m / hz / s, w / s }'
}

# key WINDOW KEY: holds KEY for a few logic ticks.
key() { xdotool keydown --window "$1" "$2"; sleep 0.1; xdotool keyup --window "$1" "$2"; }

# session NAME SCALE FULLSCREEN: one start of the game in a scratch directory.
session() {
  local dir pid win setting
  dir=$(mktemp -d /tmp/wispen-measure.XXXXXX)
  trap 'rm -rf "$dir"' EXIT
  cp -r "$build/run/." "$dir/"
  cp "$root/assets/Wispen.ini" "$dir/Wispen.ini"
  rm -f "$dir/wispen.hsc"
  for setting in "scale=$2" "fullscreen=$3" "${@:4}"; do
    if grep -q "^${setting%%=*} *=" "$dir/Wispen.ini"; then
      sed -i "s/^${setting%%=*} *=.*/${setting%%=*} = ${setting#*=}/" "$dir/Wispen.ini"
    else
      sed -i "/^\[GENERAL\]/a ${setting%%=*} = ${setting#*=}" "$dir/Wispen.ini"
    fi
  done
  # Xvfb now and then drops a client that connects as another leaves; such
  # a start is tried again.
  for attempt in 1 2 3; do
    (cd "$dir" && exec ./wispen > game.out 2>&1) &
    pid=$!
    win=""
    for _ in $(seq 100); do
      win=$(xdotool search --name '^Wispen$' 2>/dev/null | head -n 1) && [ -n "$win" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    sleep 2
    kill -0 "$pid" 2>/dev/null && [ -n "$win" ] && break
    wait "$pid" 2>/dev/null
    [ "$attempt" = 3 ] && { echo "measure-cpu: the game did not start: $(tail -n 2 "$dir/game.out")" >&2; exit 1; }
  done
  echo "$1 (scale $2, fullscreen $3):"
  measure "$pid" menu
  key "$win" Return
  sleep 1
  measure "$pid" play
  kill -TERM "$pid"
  wait "$pid" || true
  rm -rf "$dir"
}

echo "Settings over the installed defaults: ${*:-none}"
session "window" 1 0 "$@"
session "full screen" 3 1 "$@"

echo "The work itself (bench, per second at 60 ticks and 60 frames):"
"$build/bench/wispen_bench" --benchmark_filter='BM_SecondOfWork' --benchmark_format=csv 2>/dev/null |
  awk -F, '/BM_SecondOfWork/ {
    split($1, a, "/"); scene = a[2] == 0 ? "menu" : "play"
    # cpu_time per iteration, one iteration a tick, a frame and a present.
    cpu = $4; unit = $5; gsub(/"/, "", unit); gsub(/"/, "", a[1])
    us = unit == "ns" ? cpu / 1000 : unit == "ms" ? cpu * 1000 : cpu
    printf "  %-6s %dx: %7.1f us a tick and frame, %5.2f %% of a core\n", scene, a[3], us, 60 * us / 1e4
  }'

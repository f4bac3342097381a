#!/usr/bin/env bash
# Runs one fuzz target for a bounded time on a fresh corpus seeded by the
# target itself. Fails when libFuzzer finds a crash, a sanitizer report, a
# broken expectation, a hang or runaway memory; the input that did it is kept
# in the work directory as crash-*, timeout-*, oom-* or leak-*.
# Usage: run_fuzzer.sh TARGET WORK_DIR SECONDS MAX_LEN
# WISPEN_FUZZ_SECONDS overrides SECONDS for a longer run by hand.
set -euo pipefail

target=$1
work=$2
seconds=${WISPEN_FUZZ_SECONDS:-$3}
max_len=$4

if [ ! -x "$target" ]; then
  echo "fuzz target $target was not built" >&2
  exit 1
fi

rm -rf "$work"
mkdir -p "$work/corpus" "$work/seeds"
WISPEN_FUZZ_WRITE_SEEDS="$work/seeds" "$target"
echo "seeds: $(ls "$work/seeds" | tr '\n' ' ')"

# The table syncs its file on every write; RAM-backed scratch files keep that
# from dominating the run.
scratch=/tmp
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch=/dev/shm

# Leak checking stays on: the targets release what they make.
log=$work/fuzz.log
set +e
TMPDIR=$scratch UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  "$target" "$work/corpus" "$work/seeds" \
    -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$work/" -print_final_stats=1 >"$log" 2>&1
status=$?
set -e

if [ "$status" -ne 0 ]; then
  tail -n 80 "$log"
  echo "fuzzing failed with status $status; inputs kept in $work" >&2
  exit "$status"
fi
# The coverage reached and the executions done, from libFuzzer's own report.
grep -E '^INFO: seed corpus|INITED|^#[0-9]+ +DONE|^Done|^stat::' "$log" || true
echo "corpus grown to $(ls "$work/corpus" | wc -l) inputs"

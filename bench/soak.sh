#!/usr/bin/env bash
# Long-run check: Vorlin clicks at 1 ms under an Xvfb of its own for MINUTES
# minutes, then is stopped; prints clicks counted against expected, the largest
# gap between clicks, RSS at start and end, the CPU share, and whether any click
# came after the stop. Nothing reaches the current display.
#   bash bench/soak.sh MINUTES [BUILD_FOLDER]
# Ctrl+C (or any signal) ends the run early, still with the stop and the report.
set -uo pipefail

minutes=${1:-}
if ! [[ $minutes =~ ^[0-9]+$ ]] || [ "$minutes" -eq 0 ]; then
  echo "usage: bash bench/soak.sh MINUTES [BUILD_FOLDER]  (MINUTES a whole number above 0)" >&2
  exit 2
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${2:-$root/build}
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
fi
cmake --build "$build" --target vorlin bench_soak_bench >/dev/null || exit 1

# The run gets a process group of its own (Xvfb, openbox and Vorlin included),
# so whatever way this script ends, the whole group can be ended with it.
setsid "$build/bench/bench_soak_bench" "$minutes" &
run=$!
finish() {
  trap - EXIT INT TERM HUP
  if kill -0 "$run" 2>/dev/null; then
    kill -TERM "$run" 2>/dev/null         # stops the clicking and reports
    for _ in $(seq 150); do kill -0 "$run" 2>/dev/null || break; sleep 0.1; done
  fi
  kill -KILL -- "-$run" 2>/dev/null       # anything of the group still there
  wait "$run" 2>/dev/null
}
trap finish EXIT
trap 'finish; exit 130' INT TERM HUP
wait "$run"
status=$?
trap - EXIT INT TERM HUP
kill -KILL -- "-$run" 2>/dev/null
exit $status

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each briefly.
# Usage: bash scripts/fuzz.sh [seconds per target, default 20]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVORLIN_FUZZ=ON >/dev/null
cmake --build build-fuzz --target fuzz_ini

corpus=build-fuzz/corpus/ini
mkdir -p "$corpus"
build-fuzz/tests/fuzz/fuzz_ini -max_total_time="$seconds" -print_final_stats=1 "$corpus"

#!/usr/bin/env bash
# Builds the Debian package in a scratch tree configured for installing, and
# leaves it in TREE/out. The tree sits beside the test's own build folder, at
# the same depth, so ccache serves the objects that build already compiled.
# Usage: build_package.sh SOURCE TREE BUILD_TYPE CXX_COMPILER
set -euo pipefail
src=$1 tree=$2 type=$3 cxx=$4

cmake -S "$src" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DCMAKE_CXX_COMPILER="$cxx" \
  -DVORLIN_INSTALLED_LAYOUT=ON >/dev/null
cmake --build "$tree" -j"$(nproc)"
rm -rf "$tree/out"
cpack --config "$tree/CPackConfig.cmake" -B "$tree/out" >/dev/null
ls "$tree"/out/vorlin_*.deb

#!/usr/bin/env bash
# Builds vorlin.exe for 64-bit Windows with mingw-w64: the static Qt for
# Windows first when it is not cached yet (scripts/build-qt-mingw.sh, about half
# an hour once), then this project in build-windows/. The program comes out as
# build-windows/app/vorlin.exe, one file with nothing beside it.
#   BUILD_DIR  build folder (default build-windows)
# Run its tests under Wine with: ctest --test-dir build-windows
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-windows}
qt=$(bash "$root/scripts/build-qt-mingw.sh")
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
echo "$build/app/vorlin.exe"

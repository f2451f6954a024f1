#!/usr/bin/env bash
# Builds vorlin.exe for 64-bit Windows with mingw-w64: the static Qt for
# Windows first when it is not cached yet (scripts/build-qt-mingw.sh, about half
# an hour once), then this project in build-windows/. The program comes out as
# build-windows/app/vorlin.exe, one file with nothing beside it, and the two
# downloads that hold it in build-windows/packages/: the installer
# vorlin-<version>-setup.exe (NSIS) and the portable vorlin-<version>-windows-x64.zip.
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
# Both downloads, or say what is missing to make them.
for download in "$build"/packages/vorlin-*-setup.exe "$build"/packages/vorlin-*-windows-x64.zip; do
  [ -f "$download" ] || { echo "build-windows: no $download (needs makensis and zip: bash scripts/deps.sh)" >&2; exit 1; }
  echo "$download"
done

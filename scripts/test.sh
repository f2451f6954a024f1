#!/usr/bin/env bash
# Builds everything and runs every test: unit, widget and end-to-end tests
# (the last under their own Xvfb), the Windows build and its tests under Wine,
# the package tests (the Debian package built
# in build-package/, checked by lintian, desktop-file-validate and appstreamcli,
# and run unpacked), Vorlin under a Wayland compositor in a virtual machine
# (tests/vm), a short fuzz run of the INI reader and writer, then the
# unit and widget tests again built with AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs=$(nproc)
# build/ and build-package/ sit at the same depth: with paths taken relative to
# the checkout, ccache serves the package tree the objects build/ compiled.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORLIN_WINE_TESTS=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" -LE wine

# Windows: Qt for mingw (built once into a cache), vorlin.exe and its own
# tests cross-built and run under Wine, then the real vorlin.exe driven from
# outside under Wine.
bash scripts/build-windows.sh
ctest --test-dir build-windows --output-on-failure
ctest --test-dir build --output-on-failure -L wine

bash scripts/fuzz.sh 20

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVORLIN_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
# Full stacks, so the suppressions can tell Qt's own cached allocations from ours.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="fast_unwind_on_malloc=0:suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
  ctest --test-dir build-asan --output-on-failure -L 'unit|widgets' -j"$jobs"

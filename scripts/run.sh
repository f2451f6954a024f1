#!/usr/bin/env bash
# Builds Vorlin and starts it on the current X display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh --run-only
if [ -z "${DISPLAY:-}" ]; then
  echo "vorlin: no X display (DISPLAY is not set); Vorlin needs X11 or XWayland." >&2
  exit 1
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target vorlin -j"$(nproc)"
exec build/app/vorlin

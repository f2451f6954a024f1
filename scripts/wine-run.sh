#!/usr/bin/env bash
# Runs a Windows program under Wine: the Windows build's test runner (CMake's
# cross-compiling emulator) and a plain way to try vorlin.exe.
#   scripts/wine-run.sh program.exe [arguments...]
# What it sets up, each once and outside the checkout:
#   - a scratch Wine prefix (WINEPREFIX, default <state>/prefix), made on first
#     use by tests/wine/wine-prefix.sh, with a CJK font and a zh_CN locale of its own;
#   - the Chinese code page 936, as on a Simplified Chinese Windows, through that
#     locale (LOCPATH), the system's locales untouched;
#   - an Xvfb display of its own for this run, unless VORLIN_WINE_DISPLAY names
#     one to use instead.
# <state> is VORLIN_WINE_STATE, default ${TMPDIR:-/tmp}/vorlin-wine-<uid>.
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 program.exe [arguments...]" >&2; exit 2; }
state=${VORLIN_WINE_STATE:-${TMPDIR:-/tmp}/vorlin-wine-$(id -u)}
mkdir -p "$state"
export WINEPREFIX=${WINEPREFIX:-$state/prefix}
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers, and no menu entries on this desktop for the
# Start-menu entries the installer makes.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}

# Several tests may start at once: one of them makes the prefix (with its CJK
# font and zh_CN locale) when it is missing.
exec 9>"$state/.lock"
flock 9
if [ ! -f "$WINEPREFIX/.vorlin-ready" ]; then
  bash "$(dirname "$0")/../tests/wine/wine-prefix.sh" "$WINEPREFIX" 9>&-
  touch "$WINEPREFIX/.vorlin-ready"
fi
exec 9>&-
export LOCPATH=$WINEPREFIX/locale
chinese=(env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8) # for Wine only: this shell has no such locale

# Wine's desktop process lives as long as the prefix's server and stays on
# the display it started on, so runs with a display of their own take turns,
# and each ends only when the prefix's server has (its processes gone).
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    wineserver --wait 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
  fi
  rm -f "${display_file:-}"
}
trap cleanup EXIT
if [ -n "${VORLIN_WINE_DISPLAY:-}" ]; then
  export DISPLAY=$VORLIN_WINE_DISPLAY
else
  exec 8>"$state/.run"
  flock 8
  display_file=$(mktemp "$state/display.XXXXXX")
  # The lock is this script's: a server left behind by a killed run must not hold it.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 8>&- 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
  [ -s "$display_file" ] || { echo "wine-run: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=:$(head -n 1 "$display_file")
fi
"${chinese[@]}" wine "$@" 8>&-

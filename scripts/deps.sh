#!/usr/bin/env bash
# Installs the Debian packages Vorlin needs to build, run and test, when missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev libx11-dev libxtst-dev libxi-dev libx11-xcb-dev libxcb1-dev libglib2.0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool openbox x11-utils fonts-wqy-zenhei fonts-dejavu-core xdg-utils
  clang libclang-rt-14-dev
  dpkg-dev lintian desktop-file-utils appstream
  g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 locales nsis zip
  qemu-system-x86 mmdebstrap uidmap kmod libwayland-dev wayland-protocols
)
[ "${1:-}" = "--run-only" ] && packages=(cmake ninja-build g++ pkg-config qt6-base-dev libx11-dev libxtst-dev libxi-dev libx11-xcb-dev libxcb1-dev libglib2.0-dev libgtest-dev fonts-wqy-zenhei xdg-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

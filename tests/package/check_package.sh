#!/usr/bin/env bash
# Checks the built package: lintian finds no errors in it, its menu entry
# passes desktop-file-validate and its AppStream metadata appstreamcli (offline:
# the web addresses are placeholders until release); its library dependencies
# come from the scan, and the metadata's newest release is this version; the
# udev rule and the module list for the virtual pointer under Wayland are in it.
# Usage: check_package.sh FOLDER_WITH_THE_DEB
set -euo pipefail
fail() { echo "check_package: $*" >&2; exit 1; }

debs=("$1"/vorlin_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one vorlin_*.deb in $1"
deb=${debs[0]}
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

lintian --fail-on error "$deb"
desktop-file-validate "$root"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

# Under Wayland: the seat's user may make the virtual pointer, and uinput is loaded at boot.
grep -q '^KERNEL=="uinput".*TAG+="uaccess"' "$root"/usr/lib/udev/rules.d/*vorlin*.rules ||
  fail "no udev rule gives the seat's user /dev/uinput"
grep -qx uinput "$root"/usr/lib/modules-load.d/vorlin.conf || fail "uinput is not loaded at boot"
grep -qx ModelBouncingKeys=1 "$root"/usr/share/libinput/*vorlin*.quirks || fail "libinput would merge fast clicks"

depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks the scanned Qt libraries: $depends"
version=$(dpkg-deb -f "$deb" Version)
newest=$(grep -o -m1 '<release version="[^"]*"' "$root"/usr/share/metainfo/*.metainfo.xml | cut -d'"' -f2)
[ "$newest" = "${version%-*}" ] || fail "the metadata's newest release is $newest, the package is $version"
echo "package checked: $(basename "$deb")"

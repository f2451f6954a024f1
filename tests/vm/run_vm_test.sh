#!/usr/bin/env bash
# Vorlin under a real Wayland compositor, in a virtual machine: Debian's kernel
# (downloaded with apt-get, unpacked, never installed here) boots a root file
# system of Debian packages with the cage compositor, XWayland and the test's
# pointer reporter, and the built vorlin clicks and pins the pointer there
# through the kernel's uinput. The guest's checks are in guest_session.sh.
#
# Usage: run_vm_test.sh VORLIN POINTER_REPORT
# The kernel and the root file system are cached under
# ${XDG_CACHE_HOME:-~/.cache}/vorlin/vm, the latter rebuilt only when its
# package list (or this folder's scripts) change. KVM is used when /dev/kvm
# works, plain emulation otherwise.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
vorlin=$1 reporter=$2
fail() { echo "vm test: $*" >&2; exit 1; }
for tool in qemu-system-x86_64 mmdebstrap apt-get dpkg-deb depmod modprobe python3; do
  command -v "$tool" >/dev/null || fail "needs $tool (bash scripts/deps.sh installs it)"
done

cache=${XDG_CACHE_HOME:-$HOME/.cache}/vorlin/vm
mkdir -p "$cache"
exec 9>"$cache/lock"
flock 9 # one builder of the cache at a time

# The kernel: the package linux-image-amd64 points at, unpacked.
kernel_package=$(apt-cache depends linux-image-amd64 | sed -n 's/^ *Depends: \(linux-image-[^ ]*\)$/\1/p' | head -1)
[ -n "$kernel_package" ] || fail "apt-cache knows no linux-image-amd64 (run apt-get update)"
kernel_dir=$cache/$kernel_package
if [ ! -f "$kernel_dir/done" ]; then
  rm -rf "$kernel_dir" && mkdir -p "$kernel_dir/deb"
  (cd "$kernel_dir/deb" && apt-get download "$kernel_package")
  dpkg-deb -x "$kernel_dir"/deb/*.deb "$kernel_dir/tree"
  rm -rf "$kernel_dir/deb"
  touch "$kernel_dir/done"
fi
version=$(basename "$kernel_dir"/tree/boot/vmlinuz-*)
version=${version#vmlinuz-}
modules_tree=$kernel_dir/tree/lib/modules/$version
[ -f "$modules_tree/modules.dep" ] || depmod -b "$kernel_dir/tree" "$version"

# The root file system as an initramfs, from Debian packages.
packages=$(sed 's/#.*//' "$here/rootfs_packages.txt" | xargs)
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
mirror=${VORLIN_VM_MIRROR:-http://deb.debian.org/debian}
key=$(cat "$here/rootfs_packages.txt" "$here/tar_to_cpio.py" | { cat; echo "$suite $mirror"; } | sha256sum | cut -c1-16)
rootfs=$cache/rootfs-$key.cpio
if [ ! -f "$rootfs" ]; then
  rm -f "$cache"/rootfs-*.cpio
  work=$(mktemp -d "$cache/build.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  echo "vm test: building the guest's root file system (once; cached in $cache)"
  # No documentation, translations or GPU drivers: the compositor and XWayland draw with the CPU.
  mmdebstrap --variant=apt --include="$(echo "$packages" | tr ' ' ',')" \
    --dpkgopt=path-exclude=/usr/share/doc/* --dpkgopt=path-exclude=/usr/share/man/* \
    --dpkgopt=path-exclude=/usr/share/locale/* --dpkgopt=path-exclude=/usr/share/info/* \
    --dpkgopt=path-exclude=/usr/lib/x86_64-linux-gnu/dri/* \
    --dpkgopt=path-exclude=/usr/lib/x86_64-linux-gnu/libLLVM* \
    --dpkgopt=path-exclude=/usr/lib/x86_64-linux-gnu/libz3* \
    --aptopt='APT::Install-Recommends "false"' \
    "$suite" "$work/rootfs.tar" "deb $mirror $suite main" "deb $mirror $suite-updates main" \
    "deb http://deb.debian.org/debian-security $suite-security main"
  python3 "$here/tar_to_cpio.py" "$work/rootfs.cpio" --tar "$work/rootfs.tar"
  mv "$work/rootfs.cpio" "$rootfs"
  rm -rf "$work"
  trap - EXIT
fi

# Only the kernel modules the guest loads: input devices, uinput and the display.
modules="evdev uinput virtio_pci virtio_gpu"
modules_cpio=$kernel_dir/modules-$(echo "$modules" | sha256sum | cut -c1-16).cpio
if [ ! -f "$modules_cpio" ]; then
  work=$(mktemp -d "$cache/build.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/lib/modules/$version"
  for module in $modules; do
    modprobe -d "$kernel_dir/tree" -S "$version" --show-depends "$module"
  done | sed -n 's/^insmod \([^ ]*\).*/\1/p' | while read -r ko; do
    mkdir -p "$work/lib/modules/$version/$(dirname "${ko#"$modules_tree"/}")"
    cp "$ko" "$work/lib/modules/$version/${ko#"$modules_tree"/}"
  done
  cp "$modules_tree"/modules.{order,builtin,builtin.modinfo} "$work/lib/modules/$version/"
  depmod -b "$work" "$version"
  python3 "$here/tar_to_cpio.py" "$modules_cpio" "usr/lib/modules=$work/lib/modules"
  rm -rf "$work"
  trap - EXIT
fi
flock -u 9

# This run's files: the guest's scripts, vorlin and the reporter.
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
mkdir "$run/test"
install -m 755 "$here/guest_init.sh" "$run/init"
install -m 755 "$here/guest_session.sh" "$vorlin" "$reporter" "$run/test/"
# The package's libinput quirk, as installed, so that fast clicks stay apart.
mkdir -p "$run/quirks"
cp "$here/../../dist/vorlin-virtual-pointer.quirks" "$run/quirks/90-vorlin-virtual-pointer.quirks"
python3 "$here/tar_to_cpio.py" "$run/run.cpio" "init=$run/init" "test=$run/test" "usr/share/libinput=$run/quirks"
cat "$rootfs" "$modules_cpio" "$run/run.cpio" >"$run/initrd"
rm "$run/run.cpio"

# boot ACCELERATOR CPU [SECONDS]: runs the guest to its end, its console in
# console.log; with SECONDS, gives up when the guest's first process has not
# spoken by then.
boot() {
  echo "vm test: booting $version with $1"
  rm -f "$run/console.log"
  timeout 900 qemu-system-x86_64 -machine q35,accel="$1" -cpu "$2" -smp 2 -m 2048 \
    -kernel "$kernel_dir/tree/boot/vmlinuz-$version" -initrd "$run/initrd" \
    -append "console=ttyS0 rdinit=/init quiet panic=-1" \
    -vga none -device virtio-gpu-pci,xres=1280,yres=800 -display none -monitor none \
    -serial "file:$run/console.log" -no-reboot &
  qemu=$!
  if [ -n "${3:-}" ]; then
    for _ in $(seq $(($3 * 10))); do
      grep -qs '^vm-test: kernel' "$run/console.log" || ! kill -0 $qemu 2>/dev/null && break
      sleep 0.1
    done
    grep -qs '^vm-test: kernel' "$run/console.log" || { kill $qemu 2>/dev/null; echo "vm test: no guest with $1"; }
  fi
  wait $qemu || true
}
start=$(date +%s)
# KVM where /dev/kvm works. A host that is itself a virtual machine may open
# /dev/kvm and still run no guest, so the guest gets 20 s to start (even under
# TCG it speaks within 10 s). Such hosts also often lack the model-specific
# register that lists the processor's flaws, so it is not asked for.
# VORLIN_VM_ACCEL=tcg skips KVM.
if [ "${VORLIN_VM_ACCEL:-}" != tcg ] && python3 -c 'import os; os.close(os.open("/dev/kvm", os.O_RDWR))' 2>/dev/null; then
  boot kvm host,-arch-capabilities 20
fi
grep -qs '^vm-test: kernel' "$run/console.log" || boot tcg max
echo "vm test: the guest ran for $(($(date +%s) - start)) s"
cat "$run/console.log"
grep -q '^vm-test: passed' "$run/console.log" || fail "the guest's checks did not all pass (its console is above)"

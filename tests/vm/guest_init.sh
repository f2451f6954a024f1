#!/bin/sh
# The virtual machine's first process: mounts, the input and display modules,
# udev (the compositor's input stack finds devices through it), seatd, then
# the cage compositor with guest_session.sh as its program. Prints the session's checks
# on the console and powers the machine off.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /run
mount -t tmpfs tmpfs /tmp
echo 1 >/proc/sys/kernel/sysrq
echo "vm-test: kernel $(uname -r), $(grep -c ^processor /proc/cpuinfo) CPUs, up $(cut -d' ' -f1 /proc/uptime) s"
modprobe -a evdev uinput virtio_pci virtio_gpu
/lib/systemd/systemd-udevd --daemon
udevadm trigger --action=add
udevadm settle --timeout=60
ls /dev/dri/card0 /dev/uinput

# The compositor will not run as root: a user of its own, given the seat by
# seatd and /dev/uinput as the package's rule gives it to the user at the seat.
echo 'tester:x:1000:1000::/home/tester:/bin/sh' >>/etc/passwd
echo 'tester:x:1000:' >>/etc/group
mkdir -p -m 700 /home/tester /run/user/1000
chown -R 1000:1000 /home/tester /run/user/1000 /test
chown 1000 /dev/uinput
seatd -u tester -g tester -l error &
for _ in $(seq 100); do [ -S /run/seatd.sock ] && break; sleep 0.1; done
: >/tmp/results && chown 1000 /tmp/results
tail -n +1 -f /tmp/results | sed 's/^/vm-test: /' &
# No GPU: the compositor draws with the CPU; it may start before any input device.
timeout 600 setpriv --reuid=1000 --regid=1000 --clear-groups \
  env HOME=/home/tester XDG_RUNTIME_DIR=/run/user/1000 LIBSEAT_BACKEND=seatd \
  WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  cage -- /bin/sh /test/guest_session.sh >/tmp/cage.log 2>&1
echo "vm-test: the session ended (status $?) at $(cut -d' ' -f1 /proc/uptime) s"
sleep 0.5
if ! grep -q '^passed' /tmp/results 2>/dev/null; then
  for log in /tmp/cage.log /tmp/vorlin.err /tmp/reporter.err /tmp/events; do
    echo "--- $log (end)"; tail -n 40 "$log" 2>/dev/null
  done
  grep -A4 Vorlin /proc/bus/input/devices
fi
echo o >/proc/sysrq-trigger
sleep 60

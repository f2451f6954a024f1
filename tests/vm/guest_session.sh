#!/bin/sh
# The checks, run inside cage as its program (WAYLAND_DISPLAY and DISPLAY set):
# Vorlin under XWayland makes its virtual pointer, a native Wayland client
# (pointer_report) sees Vorlin's pin, clicks and stop, and a killed Vorlin
# leaves no device and no button held. Each check writes a line to
# /tmp/results; the last is "passed" when all held. Ending ends cage.
results=/tmp/results events=/tmp/events
ok() { echo "ok: $*" >>"$results"; }
fail() {
  echo "FAILED: $*" >>"$results"
  kill -KILL ${vorlin_pid:-} ${reporter_pid:-} 2>/dev/null
  exit 1
}
# waitfor SECONDS COMMAND...: true as soon as COMMAND is, false after SECONDS.
waitfor() {
  tries=$(($1 * 10)); shift
  until "$@"; do
    tries=$((tries - 1)); [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}
has_device() { grep -q 'Name="Vorlin virtual pointer"' /proc/bus/input/devices; }
no_device() { ! has_device && ! grep -qs Vorlin /sys/devices/virtual/input/*/name; }
viewable() { xwininfo -name Vorlin 2>/dev/null | grep -q IsViewable; }
has() { grep -q "$1" "$events"; }
count() { grep -c "$1" "$events"; }
presses() { count '^button [0-9]* 1$'; }
releases() { count '^button [0-9]* 0$'; }
# The pointer's last position the client was told of, in whole pixels.
pointer() {
  grep -E '^(enter|motion)' "$events" | tail -n 1 |
    sed -E 's/^(enter|motion [0-9]+) (-?[0-9]+)\.[0-9]+ (-?[0-9]+)\.[0-9]+$/\2 \3/'
}
pointer_at() { [ "$(pointer)" = "$1 $2" ]; }
quiet() { before=$(presses); sleep 0.5; [ "$before" = "$(presses)" ]; }
more_motion_than() { [ "$(count '^motion')" -gt "$1" ]; }
more_presses_than() { [ "$(presses)" -gt "$1" ]; }
# Presses from the first one's time on, within two seconds of it, once a press
# after those two seconds shows they are all in; the compositor stamps them.
presses_in_two_seconds() {
  first=$(grep -m1 '^button [0-9]* 1$' "$events" | cut -d' ' -f2)
  n=0 later=0
  for t in $(grep '^button [0-9]* 1$' "$events" | cut -d' ' -f2); do
    if [ $((t - first)) -lt 2000 ]; then n=$((n + 1)); else later=1; fi
  done
  [ "$later" = 1 ] && echo "$n"
}

export XDG_SESSION_TYPE=wayland
echo "starting Vorlin" >>"$results"
/test/vorlin 2>/tmp/vorlin.err &
vorlin_pid=$!
waitfor 120 has_device || fail "Vorlin made no virtual pointer"
says_uinput() { grep -q "which every program sees" /tmp/vorlin.err; }
waitfor 60 says_uinput || fail "Vorlin's notice does not say it clicks through uinput"
ok "Vorlin made its virtual pointer and said so"
echo "waiting for Vorlin's window" >>"$results"
waitfor 120 viewable || fail "Vorlin's window did not show"

/test/pointer_report >"$events" 2>/tmp/reporter.err &
reporter_pid=$!
waitfor 60 has '^activated' || fail "the native client did not get the focus"
ok "the native client is up: $(grep '^ready' "$events")"

/test/vorlin --at 321 234 --lock || fail "vorlin --at 321 234 --lock failed"
waitfor 30 pointer_at 321 234 || fail "the native client saw the pointer at $(pointer), not 321 234"
ok "vorlin --at 321 234 --lock: the native client sees the pointer at 321 234"
moves=$(count '^motion')
waitfor 10 more_motion_than $((moves + 3)) || fail "the pin was not re-sent"
pointer_at 321 234 || fail "the pin moved the pointer to $(pointer)"
ok "the pin holds the pointer there"

/test/vorlin --interval 10 --start || fail "vorlin --interval 10 --start failed"
waitfor 60 presses_in_two_seconds >/dev/null || fail "no clicks for two seconds ($(presses) presses)"
n=$(presses_in_two_seconds)
[ "$n" -ge 100 ] && [ "$n" -le 300 ] || fail "$n presses in two seconds at 10 ms, expected about 200"
ok "vorlin --interval 10 --start: $n presses in two seconds"

/test/vorlin --stop || fail "vorlin --stop failed"
waitfor 20 quiet || fail "the clicks went on after vorlin --stop"
after=$(presses)
sleep 1
[ "$(presses)" = "$after" ] || fail "$(($(presses) - after)) presses came after the stop"
[ "$(presses)" = "$(releases)" ] || fail "$(presses) presses but $(releases) releases"
ok "vorlin --stop: no press after it, every press released"

/test/vorlin --start || fail "vorlin --start failed"
before=$(presses)
waitfor 30 more_presses_than $((before + 20)) || fail "no clicks after vorlin --start"
kill -KILL "$vorlin_pid"
waitfor 20 no_device || fail "the virtual pointer outlived the killed Vorlin"
waitfor 20 quiet || fail "the clicks went on after the kill"
[ "$(presses)" = "$(releases)" ] || fail "after the kill: $(presses) presses but $(releases) releases"
ok "Vorlin killed while clicking: no device left, every press released"
kill -KILL "$reporter_pid"
echo passed >>"$results"

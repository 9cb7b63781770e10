#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/run.sh stopped by a signal sent to the script alone, as a process manager or
# `timeout` sends it: the window closes the clean way (status 0, throttle 0 its last frame
# to the simulated ESC) and nothing the script started is left running, the virtual display
# and any session bus included, whether or not a session bus was there before.
#   run_script_signals_test.sh REPO BUILD SIGNAL none|session
set -euo pipefail
repo=$1
build=$2
signal=$3
bus=$4

work=$(mktemp -d)
log=$work/traffic.log
script=""
test_bus=""
# What the script started: whatever runs in its session, and whatever carries its
# environment (TMPDIR is this test's folder) even after leaving the session, as a bus that
# dbus-launch starts does.
started_by_script() {
  ps -e -o sid=,pid= | awk -v s="$script" '$1 == s && $2 != s { print $2 }'
  grep -lsxzF "TMPDIR=$work" /proc/[0-9]*/environ | cut -d/ -f3 || true
}
left_behind() {
  started_by_script | sort -un | while read -r pid; do
    ps -o pid=,args= -p "$pid" || true
  done
}
finish() {
  # On a failure, end what is left of the script's.
  if [ -n "$script" ]; then started_by_script | xargs -r kill -KILL || true; fi
  if [ -n "$test_bus" ]; then kill "$test_bus" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT
fail() {
  echo "FAIL: $*" >&2
  echo "--- run.sh said:" >&2
  cat "$work/out" >&2 || true
  echo "--- last frames:" >&2
  grep ' frame ' "$log" | tail -n 3 >&2 || true
  exit 1
}

# No display, so that the script starts its own; a session of its own, so that whatever is
# left in that session afterwards was started by the script; SIGINT as a process manager
# leaves it, not ignored as for a command put in the background. Under LeakSanitizer, Qt 6.8's
# X11 plugin leaves its desktop services allocated at exit: no leak of ours, and not what this
# checks, so leaks are not looked for here.
# A machine without a session bus (over ssh, on a virtual display) or with one of its own.
unset DBUS_SESSION_BUS_ADDRESS
if [ "$bus" = session ]; then
  dbus-daemon --config-file="$repo/scripts/private-bus.conf" --address="unix:dir=$work" \
    --nofork --nopidfile --print-address=3 3>"$work/bus" 2>/dev/null &
  test_bus=$!
  for _ in $(seq 200); do [ -s "$work/bus" ] && break; sleep 0.05; done
  [ -s "$work/bus" ] || fail "the test's session bus did not start"
  export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
fi
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM --default-signal=INT \
  MORVANE_RUN_BUILD="$build" TMPDIR="$work" ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0" \
  setsid "$repo/scripts/run.sh" --log "$log" >"$work/out" 2>&1 &
script=$!

# Connected and polling: frames after the throttle 0 that starts every connection.
polled() { [ -f "$log" ] && awk '/ frame / && n { p++ } /set throttle 0/ { n = 1 } END { exit p < 2 }' "$log"; }
for _ in $(seq 600); do
  polled && break
  kill -0 "$script" 2>/dev/null || fail "run.sh ended before the window connected"
  sleep 0.05
done
polled || fail "the window did not connect to the simulated ESC within 30 s"

kill -s "$signal" "$script"
for _ in $(seq 600); do
  kill -0 "$script" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$script" 2>/dev/null && fail "run.sh still runs 30 s after SIG$signal"
status=0
wait "$script" || status=$?
[ "$status" -eq 0 ] || fail "run.sh exited with $status after SIG$signal, not with the window's 0"

last=$(grep ' frame ' "$log" | tail -n 1)
[[ $last == *" frame 41 53 04 00 "* ]] || fail "the last frame was not throttle 0: $last"
left=$(left_behind)
[ -z "$left" ] || fail "left running after run.sh: $left"
echo "SIG$signal, session bus: $bus; the window exited 0, its last frame throttle 0, nothing left"

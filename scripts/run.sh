#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, starts the simulated ESC and opens the window with it as
# COM1; USB adapters that are plugged in follow as COM2, COM3, ... Arguments go to the
# simulator, e.g. scripts/run.sh --echo --latency 5 (see morvane-esc-sim --help).
# --thrust-stand: the simulator also plays a thrust stand, listed as COM2, for the motor test
# window's "Thrust stand" group (Ctrl+T); --stand-* options shape it.
#
# The simulator stops when the window closes. Ctrl+C, or SIGINT, SIGTERM or SIGHUP sent to
# this script alone (as a process manager or `timeout` does), closes the window the clean
# way (throttle 0 first), then stops the private session bus, the virtual display and the
# simulator: nothing is left running. The script exits with the window's status.
#   MORVANE_RUN_BUILD=dir   run that build's programs as they are: no install, no build
# With --web first, the page instead: served on http://127.0.0.1:PORT/ with the simulated
# ESC behind a local WebSocket bridge as COM1; the address is printed, Ctrl+C stops.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --web ]; then
  shift
  [ -n "${MORVANE_RUN_BUILD:-}" ] || scripts/setup-deps.sh
  export MORVANE_NATIVE_BUILD=${MORVANE_RUN_BUILD:-build/release}
  scripts/build-web.sh
  exec node web/bridge.mjs "$MORVANE_NATIVE_BUILD" build/web "$@"
fi

if [ -n "${MORVANE_RUN_BUILD:-}" ]; then
  build=$MORVANE_RUN_BUILD
else
  scripts/setup-deps.sh
  jobs=$(nproc 2>/dev/null || echo 2)
  build=build/release
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
  cmake --build "$build" -j"$jobs"
fi

# Each child runs in a process group of its own, so a Ctrl+C reaches this script alone, which
# then closes them one after another: the window first, while the ESC still hears it.
set -m

sim_pid=""
xvfb_pid=""
bus_pid=""
window_pid=""
run_dir=$(mktemp -d "${TMPDIR:-/tmp}/morvane-esc.XXXXXX")
stop_and_wait() {
  kill -TERM "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
# Waits for a child started in the background to write the file it reports on; false when
# it ended or 10 s went by first.
reported() {
  for _ in $(seq 200); do
    [ -s "$1" ] && return 0
    kill -0 "$2" 2>/dev/null || return 1
    sleep 0.05
  done
  [ -s "$1" ]
}
cleanup() {
  if [ -n "$window_pid" ]; then stop_and_wait "$window_pid"; fi
  if [ -n "$bus_pid" ]; then stop_and_wait "$bus_pid"; fi
  if [ -n "$xvfb_pid" ]; then stop_and_wait "$xvfb_pid"; fi
  if [ -n "$sim_pid" ]; then stop_and_wait "$sim_pid"; fi
  rm -rf "$run_dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# The stand's own block: --thrust-stand alone names no path here, the script gives it one.
stand=""
sim_args=()
for arg in "$@"; do
  if [ "$arg" = --thrust-stand ]; then stand="$run_dir/stand"; else sim_args+=("$arg"); fi
done
set -- ${sim_args[@]+"${sim_args[@]}"}
if [ -n "$stand" ]; then set -- --thrust-stand "$stand" "$@"; fi

traffic="$run_dir/traffic.log"
for arg in "$@"; do
  if [ "$arg" = --log ] || [[ $arg == --log=* ]]; then traffic=""; fi
done
"$build/sim/program/morvane-esc-sim" --link "$run_dir/esc" --log "$run_dir/traffic.log" "$@" \
  >"$run_dir/sim.out" &
sim_pid=$!
# The simulator prints its device once the line is ready.
for _ in $(seq 100); do
  [ -s "$run_dir/sim.out" ] && break
  if ! kill -0 "$sim_pid" 2>/dev/null; then
    wait "$sim_pid" || true
    sim_pid=""
    echo "run.sh: the simulated ESC did not start" >&2
    exit 1
  fi
  sleep 0.05
done
if [ ! -s "$run_dir/sim.out" ]; then
  echo "run.sh: the simulated ESC did not report its device" >&2
  exit 1
fi
echo "Simulated ESC on $(head -n1 "$run_dir/sim.out") as COM1${traffic:+; traffic: $traffic}"

# COM1 is the simulator; USB adapters follow, as many as fit in COM2..COM16.
ports="$run_dir/esc"
count=1
if [ -n "$stand" ]; then
  ports="$ports:$stand"
  count=2
  echo "Simulated thrust stand on $(sed -n 2p "$run_dir/sim.out") as COM2: Ctrl+T, then open it"
fi
while read -r device; do
  [ "$count" -lt 16 ] || break
  ports="$ports:$device"
  count=$((count + 1))
done < <(
  shopt -s nullglob
  for d in /dev/ttyUSB*; do echo "$d"; done | sort -V
  for d in /dev/ttyACM*; do echo "$d"; done | sort -V
)

# Without a desktop the window opens on a virtual display of its own, which only holders of
# its cookie may use, so the program still runs.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display found; the window opens on a virtual one (Xvfb). Ctrl+C stops it."
  auth="$run_dir/Xauthority"
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  # The server takes every cookie in its file, whatever display number it is filed under.
  : >"$auth"
  xauth -q -f "$auth" add :0 . "$cookie"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -auth "$auth" \
    3>"$run_dir/display" >"$run_dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  if ! reported "$run_dir/display" "$xvfb_pid"; then
    echo "run.sh: the virtual display did not start:" >&2
    cat "$run_dir/xvfb.log" >&2
    exit 1
  fi
  DISPLAY=:$(head -n1 "$run_dir/display")
  xauth -q -f "$auth" add "$DISPLAY" . "$cookie"
  export DISPLAY XAUTHORITY=$auth
fi

# Without a session bus, Qt's D-Bus library starts one through dbus-launch where dbus-x11 is
# installed, and that bus outlives the script. A private one takes its place, ended after the
# window; it starts no services (no accessibility bus), so nothing else is left behind either.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && command -v dbus-daemon >/dev/null; then
  dbus-daemon --config-file="$PWD/scripts/private-bus.conf" --address="unix:dir=$run_dir" \
    --nofork --nopidfile --print-address=3 3>"$run_dir/bus" >"$run_dir/bus.log" 2>&1 &
  bus_pid=$!
  if ! reported "$run_dir/bus" "$bus_pid"; then
    echo "run.sh: the private session bus did not start:" >&2
    cat "$run_dir/bus.log" >&2
    exit 1
  fi
  DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$run_dir/bus")
  export DBUS_SESSION_BUS_ADDRESS
fi

MORVANE_ESC_PORTS="$ports" "$build/src/app/morvane-esc-config" &
window_pid=$!
# A stop signal is passed on to the window, which closes as when its close button is pressed.
trap 'kill -TERM "$window_pid" 2>/dev/null || true' INT TERM HUP
# wait returns early when a signal comes in; go on until the window has closed.
status=0
while :; do
  wait "$window_pid" && status=0 || status=$?
  kill -0 "$window_pid" 2>/dev/null || break
done
window_pid=""
exit "$status"

#!/usr/bin/env bash
# Installs what is missing, builds, starts the simulated ESC and opens the window with it as
# COM1; USB adapters that are plugged in follow as COM2, COM3, ... The simulator stops when
# the window closes. Arguments go to the simulator, e.g. scripts/run.sh --echo --latency 5
# (see build/release/sim/program/morvane-esc-sim --help).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j"$jobs"

sim_pid=""
run_dir=$(mktemp -d "${TMPDIR:-/tmp}/morvane-esc.XXXXXX")
cleanup() {
  if [ -n "$sim_pid" ]; then
    kill "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
  fi
  rm -rf "$run_dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

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
echo "Simulated ESC on $(head -n1 "$run_dir/sim.out") as COM1; traffic: $run_dir/traffic.log"

# COM1 is the simulator; USB adapters follow, as many as fit in COM2..COM16.
ports="$run_dir/esc"
count=1
while read -r device; do
  [ "$count" -lt 16 ] || break
  ports="$ports:$device"
  count=$((count + 1))
done < <(
  shopt -s nullglob
  for d in /dev/ttyUSB*; do echo "$d"; done | sort -V
  for d in /dev/ttyACM*; do echo "$d"; done | sort -V
)

# Without a desktop the window opens on a virtual display, so the program still runs.
launcher=()
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display found; the window opens on a virtual one (Xvfb). Ctrl+C stops it."
  launcher=(xvfb-run -a -s "-screen 0 1024x768x24")
fi

status=0
MORVANE_ESC_PORTS="$ports" "${launcher[@]}" "$build/src/app/morvane-esc-config" || status=$?
exit "$status"

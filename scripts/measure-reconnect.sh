#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# How soon the window finds an ESC plugged in while it runs, with no click: the program
# starts with a listed path where nothing is; each round a simulator is started there, and
# killed once the five settings are read, as an adapter is plugged in and pulled out. Prints,
# per round and as median (min..max), the time from the simulator's start to the reply that
# makes the window "Connected" (the version), and to the fifth setting read.
# Under Xvfb when it is installed (as a user would see it), else offscreen.
#
#   scripts/measure-reconnect.sh [ROUNDS]   (default 10)
#   BENCH_BUILD=dir                         build folder (default build/bench-program)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BENCH_BUILD:-build/bench-program}
rounds=${1:-10}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_BENCH=ON \
  -DMORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target morvane-esc-config morvane-esc-sim
program=$(realpath "$build/src/app/morvane-esc-config")
sim=$(realpath "$build/sim/program/morvane-esc-sim")

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}

if command -v Xvfb >/dev/null; then
  display=:$((5100 + $$ % 800))
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done
  export DISPLAY=$display QT_QPA_PLATFORM=xcb
  shown="Xvfb $display"
else
  export QT_QPA_PLATFORM=offscreen
  shown=offscreen
fi

# Waits (at most 10 s) until a command succeeds.
wait_for() {
  for _ in $(seq 200); do
    if eval "$1"; then return 0; fi
    sleep 0.05
  done
  echo "timed out waiting for: $1" >&2
  return 1
}
count() {
  local n
  n=$(grep -c "$1" "$2" 2>/dev/null) || true
  echo "${n:-0}"
}
# Milliseconds since midnight of a log line "HH:MM:SS.mmm ..." or of `date +%T.%3N`.
ms_of() { awk -F'[:. ]' '{print (($1 * 60 + $2) * 60 + $3) * 1000 + $4}'; }
stats() {
  sort -g | awk '{v[NR]=$1} END {
    m = NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2
    printf "%.0f (%.0f..%.0f)\n", m, v[1], v[NR] }'
}

MORVANE_ESC_PORTS=$work/esc "$program" >/dev/null 2>"$work/program.err" &
prog_pid=$!
pids+=("$prog_pid")
sleep 2  # the window is up, its start-up scan found nothing

: >"$work/connected"
: >"$work/read"
for round in $(seq "$rounds"); do
  log=$work/traffic$round.log
  start=$(date +%T.%3N | ms_of)
  "$sim" --link "$work/esc" --log "$log" >/dev/null 2>&1 &
  sim_pid=$!
  pids+=("$sim_pid")
  wait_for "[ \$(count 'read param' '$log') -ge 5 ] && [ \$(count reply '$log') -ge 8 ]" || {
    cat "$work/program.err" >&2
    exit 1
  }
  connected=$(awk '/get version/ {v = 1} v && / reply / {print; exit}' "$log" | ms_of)
  read=$(awk '/read param/ {n++} n == 5 && / reply / {print; exit}' "$log" | ms_of)
  echo "round $round: connected after $((connected - start)) ms, five settings read after $((read - start)) ms"
  echo $((connected - start)) >>"$work/connected"
  echo $((read - start)) >>"$work/read"
  kill -KILL "$sim_pid"
  wait "$sim_pid" 2>/dev/null || true
  sleep 0.5  # the window has seen the ESC go
done
kill -0 "$prog_pid" || { echo "the program ended" >&2; exit 1; }
echo "== plugged in again with no click ($rounds rounds, $shown; from the simulator's start)"
echo "connected:           $(stats <"$work/connected") ms"
echo "five settings read:  $(stats <"$work/read") ms"

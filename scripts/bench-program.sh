#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole program against morvane-esc-sim on pseudo-terminals, offscreen:
#   1. start-up: exec to the window shown with the port scan done, 16 table entries, and
#      peak RSS; a bare Qt window (bench/bare_window) in the same run as the floor;
#   2. plug-in: the ESC's first ping to its fifth setting read, against the ideal that the
#      timer intervals and the simulator's latency dictate;
#   3. idle: connected and polling, the window and the simulator at the other end side by
#      side in the same run: CPU time of each, their ratio, context switches per poll cycle,
#      and the window's peak RSS; beside them the Qt floor (bench/qt_poll_floor) against a
#      simulator of its own.
# Medians with the spread (min..max) of each figure.
#
#   scripts/bench-program.sh
#   BENCH_BUILD=dir (default build/bench-program)  RUNS=n (default 7)
#   IDLE_RUNS=n (default 5)  IDLE_SECONDS=s (default 60)  STARTUP_ONLY=1: start-up alone
#   IDLE_ONLY=1: idle alone  QPA=xcb: everything on an Xvfb display instead of offscreen
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BENCH_BUILD:-build/bench-program}
runs=${RUNS:-7}
idle_runs=${IDLE_RUNS:-5}
idle_seconds=${IDLE_SECONDS:-60}
latency_ms=1  # the simulator's default reply latency

[ -x /usr/bin/time ] || { echo "/usr/bin/time is needed (apt-get install time)" >&2; exit 1; }

# A build folder that has its tests keeps them; a new one gets none.
tests_off=()
[ -f "$build/CMakeCache.txt" ] || tests_off=(-DMORVANE_TESTS=OFF)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_BENCH=ON "${tests_off[@]}" \
  >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" \
  --target morvane-esc-config morvane-esc-sim bare_window startup_probe qt_poll_floor
program=$(realpath "$build/src/app/morvane-esc-config")
sim=$(realpath "$build/sim/program/morvane-esc-sim")
bare=$(realpath "$build/bench/bare_window")
floor=$(realpath "$build/bench/qt_poll_floor")
probe=$(realpath "$build/bench/libstartup_probe.so")

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work}
if [ "${QPA:-offscreen}" = xcb ]; then
  display=:$((5900 + $$ % 800))
  Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done
  export DISPLAY=$display QT_QPA_PLATFORM=xcb
else
  export QT_QPA_PLATFORM=offscreen
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

# Lines of file $2 that hold $1; 0 also while the file does not exist yet.
count() {
  local n
  n=$(grep -c "$1" "$2" 2>/dev/null) || true
  echo "${n:-0}"
}

# Starts a simulator on a pty linked at $1; more simulator options follow.
start_sim() {
  local link=$1
  shift
  "$sim" --link "$link" "$@" >/dev/null 2>&1 &
  pids+=($!)
  wait_for "[ -e '$link' ]"
}

stop() {  # pid: stop it as a user would and wait for it
  kill -TERM "$1" 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$1" 2>/dev/null || break; sleep 0.05; done
  kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

stop_all() {  # everything this stage started
  local pid
  for pid in "${pids[@]:${#keep[@]}}"; do stop "$pid"; done
  pids=("${keep[@]}")
}

# "median (min..max)" of the numbers on stdin, with the given number of decimals.
stats() {
  sort -g | awk -v d="${1:-1}" '{v[NR]=$1} END {
    m = NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2
    printf "%.*f (%.*f..%.*f)\n", d, m, d, v[1], d, v[NR] }'
}
median() { sort -g | awk '{v[NR]=$1} END { print NR % 2 ? v[(NR+1)/2] : (v[NR/2] + v[NR/2+1]) / 2 }'; }

echo "== machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GB", $2/1048576}' /proc/meminfo)," \
  "$(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1), load $(cut -d' ' -f1-3 /proc/loadavg)," \
  "platform $QT_QPA_PLATFORM"

# Xvfb, if any, stays to the end; the rest of the list is this stage's.
keep=("${pids[@]}")

# --- 1. start-up ---------------------------------------------------------------------------
if [ "${IDLE_ONLY:-0}" != 1 ]; then
ports=()
for n in $(seq 16); do
  start_sim "$work/esc$n"
  ports+=("$work/esc$n")
done
port_list=$(IFS=:; echo "${ports[*]}")

# The same table with none of the 16 devices there: what the scan's opens cost.
missing_list=$(for n in $(seq 16); do printf '%s:' "$work/none$n"; done)
missing_list=${missing_list%:}

# One start with the port list $1: prints "milliseconds-to-shown peak-RSS-kB".
start_once() {
  local list=$1 t0
  shift
  rm -f "$work/shown" "$work/rss"
  t0=$(date +%s%N)
  MORVANE_ESC_PORTS=$list LD_PRELOAD=$probe MORVANE_PROBE_OUT=$work/shown \
    timeout 20 /usr/bin/time -f %M -o "$work/rss" "$@" >/dev/null 2>&1
  echo "$(( ($(cat "$work/shown") - t0) / 1000 )) $(cat "$work/rss")" |
    awk '{printf "%.1f %d\n", $1 / 1000, $2}'
}

: >"$work/start-bare"
: >"$work/start-prog"
: >"$work/start-none"
: >"$work/start-text"
start_once "$port_list" "$bare" >/dev/null  # warm the file cache for both
start_once "$port_list" "$program" >/dev/null
for _ in $(seq "$runs"); do
  start_once "$port_list" "$bare" >>"$work/start-bare"
  start_once "$port_list" "$program" >>"$work/start-prog"
  start_once "$missing_list" "$program" >>"$work/start-none"
  start_once "$port_list" "$bare" --text >>"$work/start-text"
done
bare_ms=$(cut -d' ' -f1 "$work/start-bare" | median)
prog_ms=$(cut -d' ' -f1 "$work/start-prog" | median)
bare_kb=$(cut -d' ' -f2 "$work/start-bare" | median)
prog_kb=$(cut -d' ' -f2 "$work/start-prog" | median)
echo "== start-up, exec to window shown ($runs runs; 16 table entries, each a simulator pty)"
echo "bare window:   $(cut -d' ' -f1 "$work/start-bare" | stats 1) ms, peak RSS $(cut -d' ' -f2 "$work/start-bare" | awk '{print $1/1024}' | stats 1) MB"
echo "program:       $(cut -d' ' -f1 "$work/start-prog" | stats 1) ms, peak RSS $(cut -d' ' -f2 "$work/start-prog" | awk '{print $1/1024}' | stats 1) MB"
echo "program, none of the 16 there: $(cut -d' ' -f1 "$work/start-none" | stats 1) ms"
echo "window with text in the program's faces: $(cut -d' ' -f1 "$work/start-text" | stats 1) ms, peak RSS $(cut -d' ' -f2 "$work/start-text" | awk '{print $1/1024}' | stats 1) MB"
text_ms=$(cut -d' ' -f1 "$work/start-text" | median)
text_kb=$(cut -d' ' -f2 "$work/start-text" | median)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }
echo "ratio:         time $(ratio "$prog_ms" "$bare_ms") x, peak RSS $(ratio "$prog_kb" "$bare_kb") x the bare window (medians)"
echo "               time $(ratio "$prog_ms" "$text_ms") x, peak RSS $(ratio "$prog_kb" "$text_kb") x the window with text in the program's faces (medians; goals 1.25 x and 1.25 x)"

# Instructions from exec to shown and closed: no noise from other work on the machine.
instructions() {
  MORVANE_ESC_PORTS=$port_list LD_PRELOAD=$probe MORVANE_PROBE_OUT=$work/shown \
    timeout 120 valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
if command -v valgrind >/dev/null; then
  bare_ir=$(instructions "$bare")
  text_ir=$(instructions "$bare" --text)
  prog_ir=$(instructions "$program")
  echo "instructions:  bare window $((bare_ir / 1000000)) M (with text in the program's faces $((text_ir / 1000000)) M), program $((prog_ir / 1000000)) M," \
    "ratio $(awk -v a="$prog_ir" -v b="$bare_ir" 'BEGIN {printf "%.2f", a / b}') x (callgrind, exec to shown and closed)"
fi

stop_all
[ "${STARTUP_ONLY:-0}" = 1 ] && exit 0
fi

# --- 2. plug-in and 3. idle ----------------------------------------------------------------
if [ "${IDLE_ONLY:-0}" != 1 ]; then
ms_of() { awk -F'[:. ]' '{print (($1 * 60 + $2) * 60 + $3) * 1000 + $4}'; }

# Runs the program against one simulator until the five settings are read; leaves both
# running. Sets prog_pid and log.
connect_once() {
  log=$work/traffic.log
  rm -f "$log" "$work/esc"
  start_sim "$work/esc" --log "$log"
  MORVANE_ESC_PORTS=$work/esc "$program" >/dev/null 2>&1 &
  prog_pid=$!
  pids+=("$prog_pid")
  wait_for "[ \$(count 'read param' '$log') -ge 5 ] && [ \$(count reply '$log') -ge 8 ]"
}

# From the ESC's first ping to its reply to the fifth read, by the simulator's log.
plug_in_ms() {
  local first last
  first=$(grep -m1 'frame .*(ping)' "$log" | ms_of)
  last=$(awk '/read param/ {n++} n == 5 && /reply/ {print; exit}' "$log" | ms_of)
  echo $((last - first))
}

# Ideal: after the ping's reply 10 ms to the version, 100 ms idle poll, ping, then five
# reads 10 ms apart; each of the eight commands waits the simulator's latency. On a pty
# the bytes take no wire time; a 38400-baud wire would add 46 byte times (12.0 ms).
ideal=$((10 + 100 + 5 * 10 + 8 * latency_ms))
wire_ideal=$(awk -v i="$ideal" 'BEGIN {printf "%.1f", i + 46 * 10 / 38.4}')

: >"$work/plug"
for _ in $(seq "$runs"); do
  connect_once
  plug_in_ms >>"$work/plug"
  stop_all
done
echo "== plug-in, first ping to fifth setting read ($runs runs, simulator latency ${latency_ms} ms, log resolution 1 ms)"
echo "measured:      $(stats 0 <"$work/plug") ms"
echo "ideal:         $ideal ms on a pty ($wire_ideal ms with wire time)"
echo "ratio:         $(median <"$work/plug" | awk -v i="$ideal" '{printf "%.3f", $1 / i}') (median; goal within 1.05)"
fi

: >"$work/idle"
# CPU time of all of a process's threads in ns, and their context switches.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{n += $1} END {print n}'; }
switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ {n += $2} END {print n}'
}
# Writes by a simulator: one per reply, as it runs without echo and without its log.
replies() { awk '/^syscw/ {print $2}' "/proc/$1/io"; }

# A window, and beside it the Qt floor (bench/qt_poll_floor), each polling a simulator of its
# own that runs without its log, so that it carries the traffic and nothing else. Leaves all
# four running; sets prog_pid, sim_pid, floor_pid and floor_sim_pid.
connect_quiet() {
  rm -f "$work/esc" "$work/esc-floor"
  start_sim "$work/esc"
  sim_pid=${pids[-1]}
  start_sim "$work/esc-floor"
  floor_sim_pid=${pids[-1]}
  MORVANE_ESC_PORTS=$work/esc "$program" >/dev/null 2>&1 &
  prog_pid=$!
  "$floor" "$(readlink "$work/esc-floor")" >/dev/null 2>&1 &
  floor_pid=$!
  pids+=("$prog_pid" "$floor_pid")
  # Ping, version, ping, five reads and the throttle: connected and read.
  wait_for "[ \$(replies $sim_pid) -ge 9 ]"
  sleep 1
}

# "cpu-ns switches" of a process now.
sample() { echo "$(cpu_ns "$1") $(switches "$1")"; }

for _ in $(seq "$idle_runs"); do
  connect_quiet
  read -r p0 pc0 <<<"$(sample "$prog_pid")"
  read -r s0 sc0 <<<"$(sample "$sim_pid")"
  read -r f0 fc0 <<<"$(sample "$floor_pid")"
  read -r g0 gc0 <<<"$(sample "$floor_sim_pid")"
  r0=$(replies "$sim_pid") q0=$(replies "$floor_sim_pid")
  sleep "$idle_seconds"
  read -r p1 pc1 <<<"$(sample "$prog_pid")"
  read -r s1 sc1 <<<"$(sample "$sim_pid")"
  read -r f1 fc1 <<<"$(sample "$floor_pid")"
  read -r g1 gc1 <<<"$(sample "$floor_sim_pid")"
  r1=$(replies "$sim_pid") q1=$(replies "$floor_sim_pid")
  rss=$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$prog_pid/status")
  # Per minute: CPU seconds of the window and its simulator; their ratio; context switches per
  # cycle of each; the window's microseconds per cycle; cycles; peak RSS; then the floor's
  # microseconds per cycle and its ratio to its own simulator.
  awk -v p="$((p1 - p0))" -v s="$((s1 - s0))" -v pc="$((pc1 - pc0))" -v sc="$((sc1 - sc0))" \
    -v r="$((r1 - r0))" -v t="$idle_seconds" -v m="$rss" -v f="$((f1 - f0))" \
    -v g="$((g1 - g0))" -v q="$((q1 - q0))" 'BEGIN {
      printf "%.4f %.4f %.2f %.2f %.2f %.1f %d %s %.1f %.2f\n", p / 1e9 * 60 / t,
        s / 1e9 * 60 / t, p / s, pc / r, sc / r, p / 1e3 / r, r, m, f / 1e3 / q, f / g }' \
    >>"$work/idle"
  # A lost connection costs replies: three misses, then a handshake.
  expected=$((idle_seconds * 1000 / 102))
  [ $((r1 - r0)) -ge "$expected" ] ||
    echo "warning: $((r1 - r0)) poll cycles in $idle_seconds s, fewer than $expected" >&2
  stop_all
done
col() { awk -v c="$1" '{print $c}' "$work/idle" | stats "$2"; }
cpu=$(awk '{print $1}' "$work/idle" | median)
echo "== idle, connected and polling ($idle_runs runs of $idle_seconds s; each simulator without its log)"
echo "window CPU:    $(col 1 3) s per minute = $(awk -v c="$cpu" 'BEGIN {printf "%.3f", c / 60 * 100}') % of a core (median; goal < 0.1 %)"
echo "simulator CPU: $(col 2 3) s per minute"
echo "ratio:         $(col 3 2) x the simulator (each run's own; goal at most 1.5 x)"
echo "per cycle:     window $(col 6 1) us, $(col 4 2) context switches; simulator $(col 5 2) context switches ($(col 7 0) cycles a run)"
echo "Qt floor:      $(col 9 1) us per cycle, $(col 10 2) x its simulator (bench/qt_poll_floor, the same traffic and nothing else)"
echo "peak RSS:      $(col 8 1) MB"

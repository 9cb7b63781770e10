#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# How soon a pulled adapter is reported: the far end of a pseudo-terminal closes under the
# real serial port, idle, with the receive threshold at 0 and at 1 (bench/unplug_delay.cpp).
# Prints the median and largest delay (goal: under 200 ms) and the CPU used just after.
# On another Debian release: scripts/check-release.sh trixie scripts/measure-unplug.sh
#
#   scripts/measure-unplug.sh [RUNS]    (default 20 for each threshold)
#   BENCH_BUILD=dir                     build folder (default build/bench)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh
build=${BENCH_BUILD:-build/bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_BENCH=ON \
  -DMORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target unplug_delay
"$build/bench/unplug_delay" "${1:-20}"

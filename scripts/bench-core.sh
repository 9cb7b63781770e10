#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The core's cost: Google Benchmark times (median and spread of five repetitions), then
# instructions per operation counted by callgrind: each operation runs N and 2N times and
# the difference is divided by N, so setting up the window does not count.
#
#   scripts/bench-core.sh [N]     (default N = 20000)
#   BENCH_BUILD=dir               build folder (default build/bench)
set -euo pipefail
cd "$(dirname "$0")/.."

n=${1:-20000}
build=${BENCH_BUILD:-build/bench}
command -v valgrind >/dev/null || { echo "valgrind is needed (apt-get install valgrind)" >&2; exit 1; }

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_BENCH=ON \
  -DMORVANE_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target core_bench
bench="$build/bench/core_bench"

echo "== time (5 repetitions)"
"$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_display_aggregates_only=true 2>&1 | grep -E "^(Benchmark|-|[A-Za-z]+(Core|Line))"

instructions() {  # op count
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$bench" --count "$1" "$2" 2>&1 |
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

echo "== instructions (callgrind)"
for op in byte cycle handshake; do
  count=$n
  [ "$op" = handshake ] && count=$((n / 10))
  one=$(instructions "$op" "$count")
  two=$(instructions "$op" $((2 * count)))
  echo "$op: $(((two - one) / count)) instructions each ($count more runs: $((two - one)))"
done

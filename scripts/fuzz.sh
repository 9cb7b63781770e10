#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the window fuzz target with clang and runs it for SECONDS (default 60), starting
# from the seed corpus that fuzz_seeds writes. Exits non-zero on any finding; the input
# that caused it is left in the build folder's artifacts/.
#
#   scripts/fuzz.sh [SECONDS] [more libFuzzer flags...]
#   FUZZ_BUILD=dir        build folder (default build/fuzz)
#   FUZZ_SANITIZE=list    sanitizers (default address,undefined; "undefined" runs ~4x faster)
#   FUZZ_JOBS=n           parallel fuzzing processes (default 1)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
build=${FUZZ_BUILD:-build/fuzz}
sanitize=${FUZZ_SANITIZE:-address,undefined}
jobs=${FUZZ_JOBS:-1}

CXX=${FUZZ_CXX:-clang++} cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORVANE_GUI=OFF -DMORVANE_TESTS=OFF -DMORVANE_FUZZ=ON -DMORVANE_SANITIZE="$sanitize" >/dev/null
cmake --build "$build" -j"$(nproc 2>/dev/null || echo 2)" --target fuzz_form fuzz_seeds

mkdir -p "$build/corpus" "$build/artifacts"
"$build/fuzz/fuzz_seeds" "$build/seeds" >/dev/null

export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:abort_on_error=1:malloc_context_size=2}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

parallel=()
if [ "$jobs" -gt 1 ]; then parallel=(-jobs="$jobs" -workers="$jobs"); fi

# New inputs go to corpus/; the seeds are read only.
exec "$build/fuzz/fuzz_form" -max_len=512 -max_total_time="$seconds" -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/" "${parallel[@]}" "$@" "$build/corpus" "$build/seeds"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds from scratch and runs every test: the core alone without
# Qt, then everything in the normal build, once more with AddressSanitizer and UndefinedBehaviorSanitizer (any report fails),
# then the window fuzz target for a minute. The core, the normal build and the programs as the
# run command builds them (Release) take a compiler warning in the project's own files as an
# error. Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

# Runs ctest and adds its count to the summary printed at the end.
passed=0
run_ctest() {
  local out
  out=$(mktemp)
  ctest "$@" 2>&1 | tee "$out"
  local status=${PIPESTATUS[0]}
  local total
  total=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$out" | tail -n1)
  rm -f "$out"
  [ "$status" -eq 0 ] || return "$status"
  passed=$((passed + ${total:-0}))
}

echo "== the core alone: no Qt is looked for"
rm -rf build/core
cmake -S . -B build/core -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_GUI=OFF -DMORVANE_WERROR=ON \
  >/dev/null
cmake --build build/core -j"$jobs"
run_ctest --test-dir build/core --output-on-failure -j"$jobs" --timeout 300

echo "== build and test"
rm -rf build/test
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_WERROR=ON >/dev/null
cmake --build build/test -j"$jobs"
run_ctest --test-dir build/test --output-on-failure -j"$jobs" --timeout 300

echo "== the programs as scripts/run.sh builds them (Release, -O3): no compiler warning"
rm -rf build/release-check
cmake -S . -B build/release-check -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF \
  -DMORVANE_WERROR=ON >/dev/null
cmake --build build/release-check -j"$jobs"

echo "== the page: the core in WebAssembly under Node, the page in Chromium"
rm -rf build/wasm build/web
MORVANE_NATIVE_BUILD=build/release-check scripts/build-web.sh
MORVANE_NATIVE_BUILD=build/release-check scripts/test-web.sh | tee build/web-test.out
passed=$((passed + $(sed -n 's/^web: \([0-9]*\) passed$/\1/p' build/web-test.out)))

echo "== build and test with AddressSanitizer and UndefinedBehaviorSanitizer"
rm -rf build/asan
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMORVANE_SANITIZE=address,undefined >/dev/null
cmake --build build/asan -j"$jobs"
(
  # Children started by the tests (the program, the simulator) inherit these.
  export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  run_ctest --test-dir build/asan --output-on-failure -j"$jobs" --timeout 900
  echo "$passed" > build/asan/passed-count
)
passed=$(cat build/asan/passed-count)

echo "== fuzz the window logic for 60 s"
rm -rf build/fuzz/corpus build/fuzz/artifacts
FUZZ_BUILD=build/fuzz scripts/fuzz.sh 60

echo "tests: $passed passed, 0 failed"

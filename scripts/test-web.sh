#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the page's tests on what scripts/build-web.sh built: the core's own tests and the
# golden transcripts on the WebAssembly core under Node, then the page in the system's
# Chromium against the simulated ESC. Ends "web: N passed"; exits non-zero on a failure.
#   MORVANE_NATIVE_BUILD=dir   the native build with the simulator (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
jobs=$(nproc 2>/dev/null || echo 2)
cmake --build build/wasm -j"$jobs" --target core_tests golden_tests

passed=0
for t in core_tests golden_tests; do
  out=$(mktemp)
  node "build/wasm/tests/${t%_tests}/$t.js" 2>&1 | tee "$out" | tail -n 3
  n=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\.$/\1/p' "$out")
  rm -f "$out"
  [ -n "$n" ] || { echo "test-web: $t failed" >&2; exit 1; }
  passed=$((passed + n))
done

(cd web && npm ci --no-audit --no-fund >/dev/null)
out=$(mktemp)
node --test --test-concurrency=1 web/tests/ 2>&1 | tee "$out" | grep -E '^(not )?ok|^# (pass|fail)'
n=$(sed -n 's/^# pass \([0-9]*\)$/\1/p' "$out")
failed=$(sed -n 's/^# fail \([0-9]*\)$/\1/p' "$out")
rm -f "$out"
[ "${failed:-1}" -eq 0 ] || { echo "test-web: browser tests failed" >&2; exit 1; }
echo "web: $((passed + n)) passed"

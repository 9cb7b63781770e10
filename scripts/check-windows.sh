#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Qt-free core on Windows, as far as a Linux machine reaches: cross-built with MinGW-w64,
# statically linked, and its test suite run under Wine in a throwaway prefix. The window and
# the Qt shell are not built: they need Qt for Windows, which this machine cannot have.
# Exits non-zero when anything fails; its last line counts the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

scripts/setup-deps.sh --windows

build=${WINDOWS_BUILD:-build/windows}
jobs=${JOBS:-$(nproc 2>/dev/null || echo 2)}
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# A prefix of this run's own, gone when it ends: nothing of the user's Wine is touched.
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/morvane-wine.XXXXXX")
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
finish() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
}
trap finish EXIT

# Wine maps COM1... to the machine's own /dev/ttyS* (and maps them again when the links are
# taken away): nothing built here opens a serial port, since the core has none of its own, and
# the test of the system's COM names reads a registry key it made itself. One wineserver, and
# the prefix's own processes that wineboot starts, serve every test of the run: no test
# program starts or stops them. Each program runs through scripts/wine-test.sh.
echo "== a Wine prefix in $WINEPREFIX"
"$wineserver" -p
"$wine" wineboot --init >/dev/null 2>&1

echo "== the core for Windows: MinGW-w64, GoogleTest from Debian's sources"
rm -rf "$build"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVANE_GUI=OFF \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DMORVANE_GTEST_SOURCE=/usr/src/googletest >/dev/null
cmake --build "$build" -j"$jobs"

echo "== the core suite under Wine"
out=$(mktemp)
status=0
ctest --test-dir "$build" --output-on-failure -j"$jobs" --timeout 300 2>&1 | tee "$out" ||
  status=$?
total=$(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$out" | tail -n1)
rm -f "$out"
if [ "$status" -ne 0 ] || [ -z "$total" ]; then
  echo "check-windows: the core suite failed under Wine" >&2
  exit 1
fi
retried=$(grep -c "^wine-test: " "$build/Testing/Temporary/LastTest.log" || true)
echo "check-windows: $((SECONDS - started)) s; Wine's own start tried again $retried times"
echo "$total tests passed, 0 tests failed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the page into build/web: the core in WebAssembly (build/wasm, emscripten), the
# window's layout, texts and names read from the Qt window of a native build, and the
# window's German and Spanish translations. Prints the page's size, plain and gzipped.
#   MORVANE_NATIVE_BUILD=dir   the native build to read the window from (default build/release)
#   MORVANE_WEB_TESTS=1        also build the core's tests for Node
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
native=${MORVANE_NATIVE_BUILD:-build/release}
# Debian's emscripten finds its JavaScript helpers (acorn) among Debian's Node modules,
# also when another Node runs it.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

if [ ! -f "$native/CMakeCache.txt" ]; then
  cmake -S . -B "$native" -DCMAKE_BUILD_TYPE=Release -DMORVANE_TESTS=OFF >/dev/null
fi
cmake --build "$native" -j"$jobs" --target morvane-esc-sim morvane_window_dump

wasm=build/wasm
if [ ! -f "$wasm/CMakeCache.txt" ]; then
  # The tests run under the Node there is; some emscripten releases give Node an option that
  # newer ones refuse.
  emcmake cmake -S . -B "$wasm" -DCMAKE_BUILD_TYPE=Release -DMORVANE_GUI=OFF -DMORVANE_WERROR=ON \
    -DMORVANE_GTEST_SOURCE=/usr/src/googletest -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v node)" \
    >/dev/null
fi
targets=(morvane_web)
if [ -n "${MORVANE_WEB_TESTS:-}" ]; then targets+=(core_tests golden_tests); fi
cmake --build "$wasm" -j"$jobs" --target "${targets[@]}"

out=build/web
rm -rf "$out"
mkdir -p "$out"
cp web/page/* resources/logo.png "$wasm"/web/morvane-core.js "$wasm"/web/morvane-core.wasm "$out"/
# The window as it is under English; the page translates it as the window does.
LC_ALL=C LANG=C LANGUAGE= QT_QPA_PLATFORM=offscreen "$native"/web/dump/morvane_window_dump \
  >"$out"/window.json
python3 web/texts.py "$out"/texts.json de=translations/morvane_de.ts es=translations/morvane_es.ts

plain=$(cat "$out"/* | wc -c)
gzipped=0
for f in "$out"/*; do gzipped=$((gzipped + $(gzip -9 -c "$f" | wc -c))); done
echo "build-web: the page is in $out: $plain bytes, $gzipped bytes gzipped"

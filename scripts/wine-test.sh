#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# wine-test.sh WINE64 PROGRAM ARGS...: one Windows test program under Wine, for CTest and
# GoogleTest's discovery (cmake/mingw-w64-x86_64.cmake makes it the emulator). Every test
# program prints GoogleTest's first line before anything else. A failure with no output at
# all is Wine's own start failing, which WINEDEBUG=-all keeps quiet (or a crash before the
# first line left the program's buffer, which fails the same way again): that run alone is
# tried once more, saying so. A program that printed anything, passed or failed, is not.
# The output goes through a file: a process Wine starts for the prefix (services.exe, ...)
# inherits it, and would hold a pipe, and CTest with it, open until the prefix ends.
set -uo pipefail
wine=$1
shift
out=$(mktemp "${TMPDIR:-/tmp}/morvane-wine-test.XXXXXX")
trap 'rm -f "$out"' EXIT
"$wine" "$@" >"$out" 2>&1
status=$?
if [ "$status" -ne 0 ] && [ ! -s "$out" ]; then
  echo "wine-test: Wine ended with status $status before the program printed anything;" \
    "starting it once more"
  "$wine" "$@" >"$out" 2>&1
  status=$?
fi
cat "$out"
exit "$status"

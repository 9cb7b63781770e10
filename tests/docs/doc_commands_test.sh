#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every shell block of the docs marked for this test (its info string "sh doc-test") runs as
# written and exits 0 against the simulated ESC, so that a command the guide shows cannot fall
# out of step with the programs. Each block runs under bash -e -o pipefail, so each of its
# commands counts, not only its last; in an empty folder of its own, with morvane-esc-sim there
# as the link "esc", MORVANE_ESC_PORTS naming it (COM1 is the simulated ESC), HOME that folder
# (no one's own presets or settings are read or written) and the built programs first on PATH.
# Left unmarked, so not run here: installing packages, and whatever goes through sudo or changes
# the system (udev rules, groups, services); what needs a real adapter (/dev/ttyUSB0) or a
# display (the window, scripts/run.sh); what runs until it is stopped (load --each, the
# simulator itself); and the build, test, benchmark and release scripts, which take minutes.
#   doc_commands_test.sh DOC... -- BIN_DIR...
set -euo pipefail

docs=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do docs+=("$1"); shift; done
[ $# -gt 0 ] && shift
for bin in "$@"; do PATH=$bin:$PATH; done
export PATH

work=$(mktemp -d)
sim=""
finish() {
  if [ -n "$sim" ]; then kill "$sim" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap finish EXIT

# Each marked block to a file of its own, named after where it stands: FILE:LINE.
mkdir "$work/blocks"
for i in "${!docs[@]}"; do
  doc=${docs[$i]}
  awk -v out="$work/blocks/$i" -v doc="$doc" '
    block && /^```[[:space:]]*$/ { block = 0; close(file); next }
    block { print > file; next }
    /^```sh[[:space:]]+doc-test[[:space:]]*$/ {
      block = 1; n++
      file = sprintf("%s-%04d", out, n)
      print doc ":" FNR > (file ".where")
      printf "" > file
    }' "$doc"
done
mapfile -t blocks < <(find "$work/blocks" -type f ! -name '*.where' | sort)
if [ ${#blocks[@]} -eq 0 ]; then
  echo "FAIL: no block marked \"sh doc-test\" in ${docs[*]}" >&2
  exit 1
fi

failed=0
for block in "${blocks[@]}"; do
  where=$(cat "$block.where")
  dir=$work/run/$(basename "$block")
  mkdir -p "$dir"
  # The simulator prints its terminal once its link is there; reading that line is the wait.
  exec {from_sim}< <(cd "$dir" && exec morvane-esc-sim --link esc 2>>"$dir.sim-errors")
  sim=$!
  if ! read -r -u "$from_sim" device; then
    echo "FAIL $where: the simulator did not start:" >&2
    cat "$dir.sim-errors" >&2
    exit 1
  fi
  status=0
  (cd "$dir" && HOME=$dir MORVANE_ESC_PORTS=$dir/esc bash -e -o pipefail "$block") \
    >"$dir.out" 2>&1 || status=$?
  kill "$sim" 2>/dev/null || true   # a block may have stopped it itself
  exec {from_sim}<&-
  sim=""
  if [ "$status" -eq 0 ]; then
    echo "ok   $where"
  else
    failed=$((failed + 1))
    echo "FAIL $where: status $status (the simulated ESC on $device)" >&2
    sed 's/^/  | /' "$block" >&2
    echo "  said:" >&2
    sed 's/^/  > /' "$dir.out" >&2
  fi
done
echo "${#blocks[@]} marked blocks, $failed failed"
[ "$failed" -eq 0 ]

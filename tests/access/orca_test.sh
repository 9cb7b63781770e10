#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What a blind user hears: Orca, the screen reader, on a private display and a private session
# bus, with the window against the simulated ESC, driven by the keyboard alone. Its debug
# file's SPEECH OUTPUT lines are what it says; orca_listen.py drives the keys and checks them.
# Skipped (77) where Orca or the bus cannot start.
#   orca_test.sh WINDOW_PROGRAM SIMULATOR [TRANSCRIPT]
set -euo pipefail
program=$1
sim=$2
transcript=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../common/e2e_fixture.sh
. "$here/../common/e2e_fixture.sh"
NeedAccessibilityBus Orca test -x /usr/bin/orca

FixtureStart
StartDisplay
StartSimulator --log "$work/sim.log"

# English, as the checks expect.
export LANGUAGE=C LC_ALL=C.UTF-8
WindowForReaders
mkdir -p "$work/orca"
# Orca as many set it up: it says where an item stands among its fellows ("1 of 2").
cat >"$work/orca/user-settings.conf" <<'JSON'
{"general": {"enablePositionSpeaking": true},
 "profiles": {"default": {"profile": ["Default", "default"], "enablePositionSpeaking": true,
                          "pronunciations": {}, "keybindings": {}}},
 "pronunciations": {}, "keybindings": {}}
JSON
InSessionBus '
  /usr/bin/python3 "$HERE/orca_lines.py" -u "$WORK/orca" --debug-file "$WORK/orca.debug" \
    >"$WORK/orca.out" 2>&1 &
  orca=$!
  for _ in $(seq 400); do grep -q "SPEECH OUTPUT" "$WORK/orca.debug" 2>/dev/null && break; sleep 0.05; done
  if ! grep -q "SPEECH OUTPUT" "$WORK/orca.debug" 2>/dev/null; then
    kill $orca $bus_launcher 2>/dev/null
    echo "SKIP: Orca did not start on this machine:"; tail -n 5 "$WORK/orca.out"
    exit 77
  fi
  "$PROGRAM" >"$WORK/window.out" 2>&1 &
  window=$!
  status=0
  /usr/bin/python3 "$HERE/orca_listen.py" || status=$?
  kill $window 2>/dev/null
  wait $window 2>/dev/null
  kill $orca $bus_launcher 2>/dev/null
  exit $status
' || {
  status=$?
  [ "$status" -eq 77 ] && exit 77
  echo "--- the listener, the bus and the window said:" >&2
  grep -v -e "Failed to set fd limit" -e "Activating service" -e "Successfully activated" \
    "$work/bus.err" >&2 || true
  cat "$work/window.out" >&2
  echo "--- Orca said (last lines of its debug file):" >&2
  tail -n 40 "$work/orca.debug" >&2 || true
  exit 1
}
if [ -n "$transcript" ]; then cp "$work/transcript.txt" "$transcript"; fi

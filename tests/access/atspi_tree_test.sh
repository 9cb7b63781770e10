#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Both windows as a screen reader finds them over the accessibility bus (AT-SPI, Qt's bridge
# on), connected to the simulated ESC on a private display and a private session bus: every
# control has a name that says what it is for. Skipped (77) where the machine has no bus.
#   atspi_tree_test.sh WINDOW_PROGRAM SIMULATOR
set -euo pipefail
program=$1
sim=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../common/e2e_fixture.sh
. "$here/../common/e2e_fixture.sh"
NeedAccessibilityBus "Python Atspi bindings" \
  /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")'

FixtureStart
StartDisplay
StartSimulator

# The names are the English ones; the window speaks the user's language otherwise.
export LANGUAGE=C LC_ALL=C
WindowForReaders
InSessionBus '
  "$PROGRAM" >"$WORK/window.out" 2>&1 &
  window=$!
  status=0
  /usr/bin/python3 "$HERE/atspi_walk.py" --until Status=Connected \
    morvane-esc-config "Morvane ESC Config" \
    Port Status Hardware Firmware "Cutoff Voltage" Brake "Timing Advance" "Cutoff Type" \
    "Rotation Direction" "Restore Default" Throttle "Motor Magnet Poles" "Speed (r/min)" \
    Config Run || status=1
  echo "--- motor test window"
  timeout 20 xdotool search --sync --name "^Morvane ESC Config" windowfocus --sync key ctrl+t \
    >/dev/null 2>&1 || true
  /usr/bin/python3 "$HERE/atspi_walk.py" morvane-esc-config "Motor test" \
    "From throttle" "To throttle" Step "Settling time" "Samples per step" "Maximum throttle" \
    Record Start Stop "Save table…" "Speed and throttle plot" "Sweep results" || status=1
  kill $window $bus_launcher 2>/dev/null
  wait $window 2>/dev/null
  exit $status
' || {
  echo "--- the bus and the reader said:" >&2
  grep -v "Failed to set fd limit" "$work/bus.err" >&2 || true
  echo "--- the window said:" >&2
  cat "$work/window.out" >&2
  exit 1
}

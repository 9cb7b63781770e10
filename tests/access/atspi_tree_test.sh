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
# shellcheck source=private_session.sh
. "$here/private_session.sh"
launcher=$(AccessibilityLauncher)
if [ -z "$launcher" ] || ! command -v Xvfb >/dev/null || ! command -v dbus-run-session >/dev/null ||
  ! command -v xdotool >/dev/null ||
  ! /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null; then
  echo "SKIP: no AT-SPI bus, Xvfb, xdotool or Python Atspi bindings on this machine"
  exit 77
fi

work=$(mktemp -d)
pids=()
finish() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

StartDisplay
StartSimulator

# The names are the English ones; the window speaks the user's language otherwise.
export LANGUAGE=C LC_ALL=C QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Under LeakSanitizer Qt's accessibility bridge and X11 plugin leave their services allocated at
# exit: no leak of ours, and not what this checks.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
export WORK=$work PROGRAM=$program LAUNCHER=$launcher HERE=$here
dbus-run-session -- bash -c '
  set -u
  . "$HERE/private_session.sh"
  StartAccessibilityBus "$LAUNCHER"
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
' 2>"$work/bus.err" || {
  echo "--- the bus and the reader said:" >&2
  grep -v "Failed to set fd limit" "$work/bus.err" >&2 || true
  echo "--- the window said:" >&2
  cat "$work/window.out" >&2
  exit 1
}

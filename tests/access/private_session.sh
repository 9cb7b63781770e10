# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests that listen as a screen reader does: a private display, the simulated ESC
# on a pseudo-terminal, and the accessibility bus inside a private session bus. The caller sets
# $work and $sim, traps EXIT to end what "pids" holds, and passes its own options to the simulator.

# The accessibility bus launcher of this release, or nothing.
AccessibilityLauncher() {
  local l
  for l in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$l" ] && echo "$l" && return
  done
}

StartDisplay() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  exec 3>&-
  for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$work/display")"
}

# The simulator as the window's COM1; its process id in $work/sim.pid.
StartSimulator() {
  "$sim" --link "$work/esc" "$@" >"$work/sim.out" 2>&1 &
  pids+=($!)
  echo $! >"$work/sim.pid"
  for _ in $(seq 200); do [ -s "$work/sim.out" ] && break; sleep 0.05; done
  export MORVANE_ESC_PORTS=$work/esc
}

# Inside the session bus: the accessibility bus, and a wait until it owns its name, for Qt
# looks for it once, as it starts. Its process id in $bus_launcher.
StartAccessibilityBus() {
  "$1" --launch-immediately >/dev/null 2>&1 &
  bus_launcher=$!
  for _ in $(seq 200); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
      org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q "boolean true" &&
      break
    sleep 0.05
  done
}

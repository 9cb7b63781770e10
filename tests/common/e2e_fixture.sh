# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the tests that run the window as a user meets it: a private display, the
# simulated ESC on a pseudo-terminal, the window, and where a screen reader listens, the
# accessibility bus inside a private session bus. The caller sets $sim and calls
# FixtureStart first: $work is then the test's own folder, and what the fixture started ends
# with the test.

FixtureStart() {
  work=$(mktemp -d)
  pids=()
  trap FixtureFinish EXIT
}

# A stopped process (a simulator told to fall silent) is woken to take its end.
FixtureFinish() {
  local p
  for p in "${pids[@]}"; do
    kill -CONT "$p" 2>/dev/null || true
    kill "$p" 2>/dev/null || true
  done
  wait 2>/dev/null || true
  if [ -n "${KEEP_WORK:-}" ]; then echo "kept $work" >&2; else rm -rf "$work"; fi
}

# The accessibility bus launcher of this release, or nothing.
AccessibilityLauncher() {
  local l
  for l in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$l" ] && echo "$l" && return
  done
}

# Skips the test (77) unless the accessibility bus, Xvfb, a session bus and xdotool are here,
# and whatever else the test names ("what", then a command that succeeds where it is); the
# bus's launcher in $launcher.
NeedAccessibilityBus() {
  launcher=$(AccessibilityLauncher)
  if [ -z "$launcher" ] || ! command -v Xvfb >/dev/null || ! command -v dbus-run-session >/dev/null ||
    ! command -v xdotool >/dev/null || { [ $# -gt 1 ] && ! "${@:2}" >/dev/null 2>&1; }; then
    echo "SKIP: the AT-SPI bus, Xvfb, xdotool${1:+ or $1} is missing on this machine"
    exit 77
  fi
}

StartDisplay() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  exec 3>&-
  for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$work/display")"
}

# The simulator as the window's COM1, with the options given; its process id in $work/sim.pid.
StartSimulator() {
  "$sim" --link "$work/esc" "$@" >"$work/sim.out" 2>&1 &
  pids+=($!)
  echo $! >"$work/sim.pid"
  for _ in $(seq 200); do [ -s "$work/sim.out" ] && break; sleep 0.05; done
  export MORVANE_ESC_PORTS=$work/esc
}

# The window as a screen reader meets it; Qt and the reader keep their settings in $work.
# Under LeakSanitizer Qt's accessibility bridge and X11 plugin leave their services allocated
# at exit: no leak of ours, and not what these tests check.
WindowForReaders() {
  export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
  export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
  export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/run
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# Runs the script given inside a private session bus, with this fixture, the accessibility
# bus already up ($bus_launcher) and $WORK, $PROGRAM and $HERE set; what the bus says goes
# to $work/bus.err.
InSessionBus() {
  WORK=$work PROGRAM=$program HERE=$here LAUNCHER=$launcher FIXTURE=${BASH_SOURCE[0]} \
    dbus-run-session -- bash -c '
      set -u
      . "$FIXTURE"
      StartAccessibilityBus "$LAUNCHER"
      '"$1" 2>"$work/bus.err"
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

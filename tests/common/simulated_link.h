// SPDX-License-Identifier: GPL-3.0-or-later
// What every bench of the window's logic stands on: a virtual clock, a virtual line with a
// simulated ESC to attach, and the two timers the form is given.
#pragma once

#include <functional>

#include "sim/esc_model.h"
#include "sim/virtual_clock.h"
#include "sim/virtual_line.h"

namespace morvane::test {

struct SimulatedLink {
  sim::VirtualClock clock;
  sim::VirtualSerialLine line{clock};
  sim::EscModel esc;
  // The window gives both timers their intervals; these would show if it did not.
  sim::VirtualTimer timer1{clock, 1};
  sim::VirtualTimer timer2{clock, 1};

  bool runUntil(const std::function<bool()>& pred, sim::Ticks limit) {
    return clock.runUntilTrue(pred, clock.now() + limit);
  }
};

}  // namespace morvane::test

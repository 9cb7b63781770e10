// SPDX-License-Identifier: GPL-3.0-or-later
// The motor test on the scenario bench: a connected ESC on the virtual line, the motor test
// on the virtual clock, and the frames it sends read back as throttles and polls.
#pragma once

#include <memory>
#include <vector>

#include "bench.h"
#include "link/seams.h"
#include "motortest/motor_test.h"

namespace morvane::test {

struct MotorBench : Bench {
  std::unique_ptr<MotorTest> test;

  // The motor test open, the ESC on COM1 found and read.
  bool connect() {
    line.attachEsc(1, esc);
    form.Load();
    test = std::make_unique<MotorTest>(form, clock);
    return connectAndRead();
  }
  ThrottleSweep& sweep() { return test->sweep(); }

  static constexpr std::uint8_t kThrottleCode = 4;
  static bool isThrottle(const sim::VirtualSerialLine::Write& w) {
    return w.bytes.size() == 4 && w.bytes[2] == kThrottleCode;
  }
  static bool isPoll(const sim::VirtualSerialLine::Write& w) {
    return w.bytes.size() == 3 && (w.bytes[2] == 0 || w.bytes[2] == 5);
  }
  // The throttle values of the frames written at or after `from`, in order.
  std::vector<int> throttlesSent(Ticks from = 0) const {
    std::vector<int> out;
    for (const auto& w : line.writes())
      if (w.at >= from && isThrottle(w)) out.push_back(w.bytes[3]);
    return out;
  }
};

}  // namespace morvane::test

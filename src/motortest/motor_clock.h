// Where the motor test takes its time from: the core reads no clock of its own. The
// window gives it a real one, the tests the virtual clock.
#pragma once

#include <cstdint>

namespace morvane {

class MotorClock {
 public:
  virtual ~MotorClock() = default;
  virtual std::int64_t nowMs() const = 0;  // milliseconds from any fixed start, never falling
};

}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
#include "motortest/motor_sample.h"

namespace morvane {

MotorSample SampleOf(const PollAnswer& answer, std::int64_t nowMs) {
  MotorSample sample;
  sample.tMs = nowMs;
  sample.throttle = answer.throttle;
  sample.rpmRaw = answer.rpm;
  sample.rpmAvg = answer.rpmShown;
  sample.poles = answer.poles;
  sample.speedReply = answer.speed;
  return sample;
}

}  // namespace morvane

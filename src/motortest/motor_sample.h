// SPDX-License-Identifier: GPL-3.0-or-later
// One point of the motor test: what the Run panel showed when a poll's reply was handled.
#pragma once

#include <cstdint>
#include <optional>

#include "form/form_mvconfig.h"

namespace morvane {

struct MotorSample {
  std::int64_t tMs = 0;
  int throttle = 0;  // the slider's value, as the Run panel shows it
  // This reply's own sample in r/min: 0 for a standing motor, none for a ping or for a
  // period too short to count.
  std::optional<std::int32_t> rpmRaw;
  std::int32_t rpmAvg = 0;  // the ten-reply average the r/min box shows
  int poles = 2;
  bool speedReply = false;
  // The thrust stand's last reading in g, when one is open and speaking.
  std::optional<double> thrustG;
};

MotorSample SampleOf(const PollAnswer& answer, std::int64_t nowMs);

}  // namespace morvane

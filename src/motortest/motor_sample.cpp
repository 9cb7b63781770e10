// SPDX-License-Identifier: GPL-3.0-or-later
#include "motortest/motor_sample.h"

#include <charconv>

namespace morvane {
namespace {

std::int32_t ShownRpm(const std::string& text) {
  std::int32_t value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

std::optional<MotorSample> SampleOfReply(const FormMVconfig& form, std::int64_t nowMs) {
  const AppState& s = form.state();
  const CommandSlot& head = Head(s);
  const std::uint8_t command = head.tx[0];
  if (command != CMD_PING && command != CMD_GET_SPEED) return std::nullopt;

  const Controls& c = form.controls();
  MotorSample sample;
  sample.tMs = nowMs;
  sample.throttle = c.SldPower.value();
  sample.rpmAvg = ShownRpm(c.TxtRev.text());
  sample.poles = c.VSlPole.value();
  sample.speedReply = command == CMD_GET_SPEED;
  if (sample.speedReply) {
    const std::int32_t period = head.reply[1] | head.reply[2] << 8 | head.reply[3] << 16;
    // The speed handler has just written its sample into the ring, one before the next.
    if (period > 300) {
      sample.rpmRaw = s.speedSamples[(s.speedSamplePos + kSpeedRing - 1) % kSpeedRing];
    } else if (period == 0) {
      sample.rpmRaw = 0;
    }
  }
  return sample;
}

}  // namespace morvane

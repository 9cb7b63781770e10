// SPDX-License-Identifier: GPL-3.0-or-later
#include <charconv>
#include <cmath>
#include <string>

#include "protocol/process_reply.h"

namespace morvane {

std::int32_t SpeedSample(std::int32_t period, int poles) {
  if (period <= 300 || poles < 2) return -1;
  const double a = 2000000.0 / period;
  const double b = poles / 2.0;
  const double c = a / b;
  const double d = c * 60.0;
  return static_cast<std::int32_t>(std::floor(d));
}

namespace {

std::int32_t Period(const CommandSlot& slot) {
  return slot.reply[1] | slot.reply[2] << 8 | slot.reply[3] << 16;
}

}  // namespace

std::int32_t PeriodOfSpeedReply(const AppState& s) { return Period(Head(s)); }

std::optional<std::int32_t> SampleOfSpeedReply(const AppState& s) {
  const std::int32_t period = Period(Head(s));
  // The speed handler has put its sample into the ring, one before the next.
  if (period > 300) return s.speedSamples[(s.speedSamplePos + kSpeedRing - 1) % kSpeedRing];
  if (period == 0) return 0;
  return std::nullopt;
}

void ShowRpm(Controls& c, std::int32_t rpm) { c.TxtRev.setText(std::to_string(rpm)); }

std::int32_t ShownRpm(const Controls& c) {
  const std::string& text = c.TxtRev.text();
  std::int32_t rpm = 0;
  std::from_chars(text.data(), text.data() + text.size(), rpm);
  return rpm;
}

void SpeedReply(AppState& s, Controls& c) {
  const std::int32_t period = Period(Head(s));
  if (period > 300) {
    s.speedSamples[s.speedSamplePos] = SpeedSample(period, c.VSlPole.value());
    s.speedSamplePos = s.speedSamplePos + 1 == kSpeedRing ? 0 : s.speedSamplePos + 1;
    std::int32_t sum = 0;
    for (int i = 0; i < kSpeedRing; ++i) sum += s.speedSamples[i];
    ShowRpm(c, static_cast<std::int32_t>(std::floor(sum / 10.0)));
  } else if (period == 0) {
    ClearSpeedSamples(s);
    ShowRpm(c, 0);
  }
  ThrottleFollowUp(s, c);
}

}  // namespace morvane

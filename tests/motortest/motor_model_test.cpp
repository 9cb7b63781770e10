// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "sim/esc_model.h"

namespace morvane::test {
namespace {

constexpr double kClockHz = 2000000.0;

// Sets the throttle at 0 ms and reads the reported speed in e-rev/s every 100 ms.
std::vector<double> RunAt(sim::EscModel& esc, int throttle, int polls) {
  esc.answer({4, static_cast<std::uint8_t>(throttle)}, 0);
  std::vector<double> speeds;
  for (int i = 1; i <= polls; ++i) speeds.push_back(kClockHz / esc.period(i * 100.0));
  return speeds;
}

TEST(MotorModel, SpeedLagsTheThrottleAndWaversALittleAroundIt) {
  sim::EscModel esc;
  const double settled = esc.settledErps(100);
  const std::vector<double> speeds = RunAt(esc, 100, 60);
  // 250 ms time constant: at 300 ms about 70 % of the way.
  EXPECT_NEAR(speeds[2] / settled, 1 - std::exp(-300.0 / 250.0), 0.02);
  const auto [low, high] = std::minmax_element(speeds.begin() + 30, speeds.end());
  EXPECT_GT(*high - *low, settled * 0.002) << "no ripple";
  EXPECT_LT(*high - *low, settled * 0.02) << "more than a little ripple";
}

TEST(MotorModel, WithAKvTheSpeedRisesLessAndLessWithTheThrottle) {
  sim::EscModel straight;
  EXPECT_DOUBLE_EQ(straight.settledErps(200), 2 * straight.settledErps(100));

  sim::EscModel bent(sim::EscConfig(9503, 1234, sim::kFactorySettings, {1000, 0}));
  const double half = bent.settledErps(100);
  const double full = bent.settledErps(200);
  EXPECT_LT(full, 1.9 * half);
  // 1000 r/min per volt on 11.1 V unloaded; 14 poles: 7 e-rev per revolution.
  EXPECT_LT(full / 7 * 60, 11100);
  EXPECT_GT(full / 7 * 60, 11100 * 0.5);
}

}  // namespace
}  // namespace morvane::test

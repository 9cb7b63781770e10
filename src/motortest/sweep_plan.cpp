// SPDX-License-Identifier: GPL-3.0-or-later
#include "motortest/sweep_plan.h"

#include <cmath>

namespace morvane {

PlanCheck CheckPlan(const SweepPlan& p, int sliderMax, const TranslateText& translate) {
  const auto refuse = [&translate](const char* english,
                                   std::initializer_list<std::string_view> args = {}) {
    return PlanCheck{{}, Phrase(translate, "Sweep", english, args)};
  };
  const std::string lowest = std::to_string(kLowestSweepThrottle);
  if (p.from < kLowestSweepThrottle || p.to < kLowestSweepThrottle) {
    return refuse(MORVANE_TRANSLATABLE("Sweep",
                                       "Steps must lie above 25, where the speed is polled: from "
                                       "and to start at %1."),
                  {lowest});
  }
  if (p.maximum < kLowestSweepThrottle || p.maximum > sliderMax) {
    return refuse(MORVANE_TRANSLATABLE("Sweep", "The maximum must lie from %1 to %2."),
                  {lowest, std::to_string(sliderMax)});
  }
  if (p.from > p.to) return refuse(MORVANE_TRANSLATABLE("Sweep", "From must not lie above to."));
  if (p.to > p.maximum) {
    return refuse(MORVANE_TRANSLATABLE("Sweep", "To (%1) lies above the maximum (%2)."),
                  {std::to_string(p.to), std::to_string(p.maximum)});
  }
  if (p.step < 1) return refuse(MORVANE_TRANSLATABLE("Sweep", "The step must be at least 1."));
  if (p.samples < 1) {
    return refuse(MORVANE_TRANSLATABLE("Sweep", "Each step needs at least one sample."));
  }
  if (p.settleMs < 0) {
    return refuse(MORVANE_TRANSLATABLE("Sweep", "The settling time cannot be negative."));
  }
  PlanCheck check;
  for (int t = p.from; t <= p.to; t += p.step) check.steps.push_back(t);
  return check;
}

void StepStats::add(double x) {
  ++count_;
  const double delta = x - mean_;
  mean_ += delta / count_;
  squares_ += delta * (x - mean_);
}

std::optional<double> StepStats::standardDeviation() const {
  if (count_ < 2) return std::nullopt;
  return std::sqrt(squares_ / (count_ - 1));
}

}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
// The stepped throttle sweep's plan: which throttle steps it visits, and the statistics of
// the speed it measures at each.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/translatable.h"

namespace morvane {

// Throttle values are the slider's (0..200).
struct SweepPlan {
  int from = 40;
  int to = 160;
  int step = 20;
  int settleMs = 2000;
  int samples = 10;   // raw speed samples averaged at each step
  int maximum = 160;  // the sweep never sets a throttle above this
};

// The speed is polled only while the throttle is above 25: a step must lie above it.
inline constexpr int kLowestSweepThrottle = 26;

struct PlanCheck {
  std::vector<int> steps;  // from, from + step, ... up to to; empty when refused
  std::string note;        // why the plan is refused; empty when it is taken
};

// sliderMax: the largest throttle the slider holds. The note is in English unless the window
// passes its language (context "Sweep").
PlanCheck CheckPlan(const SweepPlan& plan, int sliderMax, const TranslateText& translate = {});

// Mean and standard deviation of one step's samples, kept as they come.
class StepStats {
 public:
  void add(double x);
  int count() const { return count_; }
  double mean() const { return mean_; }
  // The sample standard deviation (divided by count - 1); none for fewer than two samples,
  // where 0 would claim a steady speed that nothing measured.
  std::optional<double> standardDeviation() const;

 private:
  int count_ = 0;
  double mean_ = 0;
  double squares_ = 0;  // sum of squared distances from the running mean
};

// What a thrust stand measured at one step, where it measured it.
struct StandRow {
  std::optional<double> thrustMean;  // g
  std::optional<double> thrustSd;
  std::optional<double> currentA;    // means
  std::optional<double> voltageV;
  std::optional<double> powerW;
  std::optional<double> gramsPerWatt;
  int readings = 0;
};

struct SweepRow {
  int throttle = 0;
  double rpmMean = 0;
  std::optional<double> rpmSd;
  int samples = 0;
  std::optional<StandRow> stand = std::nullopt;  // none without a stand
};

}  // namespace morvane

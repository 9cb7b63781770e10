// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "motortest/sweep_plan.h"

namespace morvane::test {
namespace {

struct PlanCase {
  const char* name;
  SweepPlan plan;
  std::vector<int> steps;
  std::string note;
};

SweepPlan Plan(int from, int to, int step, int maximum = 160, int samples = 10,
               int settleMs = 2000) {
  return {from, to, step, settleMs, samples, maximum};
}

const PlanCase kPlans[] = {
    {"Defaults", SweepPlan{}, {40, 60, 80, 100, 120, 140, 160}, ""},
    {"LastStepWithinTo", Plan(40, 150, 20), {40, 60, 80, 100, 120, 140}, ""},
    {"OneStep", Plan(26, 26, 5, 26), {26}, ""},
    {"FromAtTwentyFive",
     Plan(25, 100, 5),
     {},
     "Steps must lie above 25, where the speed is polled: from and to start at 26."},
    {"ToAtTwentyFive",
     Plan(26, 25, 5),
     {},
     "Steps must lie above 25, where the speed is polled: from and to start at 26."},
    {"ToAboveMaximum", Plan(40, 180, 20), {}, "To (180) lies above the maximum (160)."},
    {"MaximumAboveTheSlider", Plan(40, 160, 20, 201), {}, "The maximum must lie from 26 to 200."},
    {"FromAboveTo", Plan(100, 60, 20), {}, "From must not lie above to."},
    {"NoStep", Plan(40, 60, 0), {}, "The step must be at least 1."},
    {"NoSamples", Plan(40, 60, 20, 160, 0), {}, "Each step needs at least one sample."},
    {"NegativeSettling",
     Plan(40, 60, 20, 160, 10, -1),
     {},
     "The settling time cannot be negative."},
};

void PrintTo(const PlanCase& c, std::ostream* os) {
  *os << c.name;
}

struct Plans : ::testing::TestWithParam<PlanCase> {};

TEST_P(Plans, AreTakenAsStepsOrRefusedWithANote) {
  const PlanCheck check = CheckPlan(GetParam().plan, 200);
  EXPECT_EQ(check.steps, GetParam().steps);
  EXPECT_EQ(check.note, GetParam().note);
}

INSTANTIATE_TEST_SUITE_P(Each, Plans, ::testing::ValuesIn(kPlans),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morvane::test

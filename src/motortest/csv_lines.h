// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of the motor test's CSV files: a recording (one row per speed reply) and a
// sweep's table. A point is the decimal separator whatever the locale.
#pragma once

#include <cstdint>
#include <string>

#include "motortest/motor_sample.h"
#include "motortest/sweep_plan.h"

namespace morvane {

inline constexpr const char* kRecordingHeader = "t_s,throttle,rpm_raw,rpm_avg,poles";
inline constexpr const char* kSweepTableHeader = "throttle,rpm_mean,rpm_sd,samples";

// t_s counts from startMs, in seconds to the millisecond; rpm_raw is empty when the reply
// carried no sample.
std::string RecordingRow(const MotorSample& sample, std::int64_t startMs);
// Mean and standard deviation to a tenth of an r/min; no deviation of a single sample.
std::string SweepTableRow(const SweepRow& row);

// value with exactly `places` decimals, rounded half away from zero.
std::string FixedPoint(double value, int places);

}  // namespace morvane

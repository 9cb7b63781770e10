// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of the motor test's CSV files: a recording (one row per speed reply) and a
// sweep's table. A point is the decimal separator whatever the locale.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "motortest/motor_sample.h"
#include "motortest/sweep_plan.h"
#include "motortest/thrust_stand.h"

namespace morvane {

inline constexpr const char* kRecordingHeader = "t_s,throttle,rpm_raw,rpm_avg,poles";
inline constexpr const char* kSweepTableHeader = "throttle,rpm_mean,rpm_sd,samples";

// With a thrust stand, after the columns above.
inline constexpr const char* kStandColumnsHeader = ",thrust_g,current_a,voltage_v";
inline constexpr const char* kSweepStandHeader =
    ",thrust_g_mean,thrust_g_sd,current_a,voltage_v,power_w,g_per_w";

// t_s counts from startMs, in seconds to the millisecond; rpm_raw is empty when the reply
// carried no sample.
std::string RecordingRow(const MotorSample& sample, std::int64_t startMs);
// Mean and standard deviation to a tenth of an r/min; no deviation of a single sample.
// With the stand's columns when standColumns; empty cells where it measured nothing.
std::string SweepTableRow(const SweepRow& row, bool standColumns = false);
// The same cells one by one, for a table shown or printed.
std::vector<std::string> SweepRowCells(const SweepRow& row, bool standColumns);
// Whether any row has the stand's figures.
bool HasStandColumns(const std::vector<SweepRow>& rows);
// The header and rows of a sweep's table; with the stand's columns when a row has them.
std::vector<std::string> SweepTable(const std::vector<SweepRow>& rows);
// ",thrust,current,voltage" of a reading; empty cells for none.
std::string StandColumns(const std::optional<StandReading>& reading);

// value with exactly `places` decimals, rounded half away from zero.
std::string FixedPoint(double value, int places);

}  // namespace morvane

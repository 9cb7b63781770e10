// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <locale>
#include <string>

#include "motortest/csv_lines.h"

namespace morvane::test {
namespace {

// A locale that writes numbers the German way, as a user's might.
struct CommaPunct : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

struct CommaLocale : ::testing::Test {
  std::locale saved = std::locale::global(std::locale(std::locale::classic(), new CommaPunct));
  ~CommaLocale() override { std::locale::global(saved); }
};

TEST_F(CommaLocale, HeadersAreTheDocumentedColumns) {
  EXPECT_STREQ(kRecordingHeader, "t_s,throttle,rpm_raw,rpm_avg,poles");
  EXPECT_STREQ(kSweepTableHeader, "throttle,rpm_mean,rpm_sd,samples");
}

TEST_F(CommaLocale, RecordingRowsCountSecondsFromTheStartWithAPoint) {
  MotorSample s;
  s.tMs = 73456;
  s.throttle = 120;
  s.rpmRaw = 12345;
  s.rpmAvg = 12001;
  s.poles = 14;
  EXPECT_EQ(RecordingRow(s, 1000), "72.456,120,12345,12001,14");
  s.tMs = 1007;
  EXPECT_EQ(RecordingRow(s, 1000), "0.007,120,12345,12001,14");
  s.rpmRaw.reset();
  EXPECT_EQ(RecordingRow(s, 1000), "0.007,120,,12001,14");
}

TEST_F(CommaLocale, SweepRowsGiveMeanAndDeviationToATenth) {
  EXPECT_EQ(SweepTableRow({40, 25000, 5773.5027, 4}), "40,25000.0,5773.5,4");
  EXPECT_EQ(SweepTableRow({160, 123456.75, 0.04, 10}), "160,123456.8,0.0,10");
  // One sample has no spread to speak of: the field stays empty rather than 0.0.
  StepStats one;
  one.add(25000);
  EXPECT_EQ(SweepTableRow({40, one.mean(), one.standardDeviation(), one.count()}),
            "40,25000.0,,1");
}

}  // namespace
}  // namespace morvane::test

// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "motortest/csv_lines.h"
#include "motortest/thrust_stand.h"
#include "sim/virtual_clock.h"

namespace morvane::test {
namespace {

using Kind = ParsedLine::Kind;
using C = StandColumn;
using Opt = std::optional<double>;

struct LineCase {
  const char* name;
  std::string line;
  ColumnMap columns;
  Kind kind;
  Opt thrust, current, voltage;
};

const LineCase kLines[] = {
    {"BareNumber", "123.4", kDefaultColumns, Kind::Reading, 123.4, {}, {}},
    {"NegativeBareNumber", "-2.5", kDefaultColumns, Kind::Reading, -2.5, {}, {}},
    {"Labelled", "thrust: 123.4 g", kDefaultColumns, Kind::Reading, 123.4, {}, {}},
    {"LabelledInKilograms", "Thrust=0.5kg", kDefaultColumns, Kind::Reading, 500, {}, {}},
    {"LabelledAll", "thrust: 10 g, current: 1500 mA, voltage: 11.8 V", kDefaultColumns,
     Kind::Reading, 10, 1.5, 11.8},
    {"ThreeColumns", "123.4,12.1,11.85", kDefaultColumns, Kind::Reading, 123.4, 12.1, 11.85},
    {"SpacesAndSemicolons", " 123.4 ; 12.1 ;11.85 ", kDefaultColumns, Kind::Reading, 123.4, 12.1,
     11.85},
    {"ColumnsByChoice", "12.1,123.4", {C::Current, C::Thrust}, Kind::Reading, 123.4, 12.1, {}},
    {"ExtraColumnUnused", "1,2,3,4", kDefaultColumns, Kind::Reading, 1, 2, 3},
    {"Header", "thrust_g,current_a,voltage_v", kDefaultColumns, Kind::Header, {}, {}, {}},
    {"HeaderInOtherOrder", "time_ms,Voltage (V),thrust", kDefaultColumns, Kind::Header, {}, {}, {}},
    {"Empty", "   ", kDefaultColumns, Kind::Empty, {}, {}, {}},
    {"WordsOnly", "HX711 not ready", kDefaultColumns, Kind::Junk, {}, {}, {}},
    {"HeaderWithoutThrust", "current_a,voltage_v", kDefaultColumns, Kind::Junk, {}, {}, {}},
    {"NamesAndNumbers", "thrust_g,12", kDefaultColumns, Kind::Junk, {}, {}, {}},
    {"NoThrustColumn", "12.1", {C::Current}, Kind::Junk, {}, {}, {}},
    {"NaN", "nan", kDefaultColumns, Kind::Junk, {}, {}, {}},
    {"NaNInAColumn", "12,nan,11", kDefaultColumns, Kind::Junk, {}, {}, {}},
    {"Infinity", "inf,1,1", kDefaultColumns, Kind::Junk, {}, {}, {}},
    {"HugeExponent", "1e999", kDefaultColumns, Kind::Junk, {}, {}, {}},
    {"TrailingJunk", "123.4x", kDefaultColumns, Kind::Junk, {}, {}, {}},
    {"UnknownUnit", "thrust: 12 lb", kDefaultColumns, Kind::Junk, {}, {}, {}},
    {"LabelWithoutNumber", "thrust: heavy", kDefaultColumns, Kind::Junk, {}, {}, {}},
    {"ControlBytes", "\x7f#\x01~~?", kDefaultColumns, Kind::Junk, {}, {}, {}},
    {"CommaDecimal", "123,4", {C::Thrust}, Kind::Reading, 123, {}, {}},
};

class StandLines : public ::testing::TestWithParam<LineCase> {};

TEST_P(StandLines, ReadEachFormAndRefuseWhatIsNotANumber) {
  const LineCase& c = GetParam();
  const ParsedLine parsed = ParseStandLine(c.line, c.columns);
  ASSERT_EQ(parsed.kind, c.kind);
  EXPECT_EQ(parsed.reading.thrustG, c.thrust);
  EXPECT_EQ(parsed.reading.currentA, c.current);
  EXPECT_EQ(parsed.reading.voltageV, c.voltage);
}

INSTANTIATE_TEST_SUITE_P(Each, StandLines, ::testing::ValuesIn(kLines),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StandLines, AHeaderTellsWhatEachColumnHolds) {
  EXPECT_EQ(ParseStandLine("time_ms,Voltage (V),thrust", kDefaultColumns).columns,
            (ColumnMap{C::Unused, C::Voltage, C::Thrust}));
}

TEST(StandLineSplitter, JoinsPartialLinesAndDropsAnOverlongOneWhole) {
  StandLineSplitter s;
  EXPECT_TRUE(s.feed("12").empty());
  auto lines = s.feed("3.4\r\n5");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].text, "123.4");
  EXPECT_FALSE(lines[0].tooLong);
  lines = s.feed(std::string(100000, '7') + "\n8\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].tooLong);
  EXPECT_LE(lines[0].text.size(), StandLineSplitter::kMaxLine);
  EXPECT_EQ(lines[1].text, "8");
  EXPECT_FALSE(lines[1].tooLong);
}

struct StandFixture : ::testing::Test {
  sim::VirtualClock clock;
  ThrustStand stand{clock};
  std::vector<StandReading> seen;
  CallbackList<const StandReading&>::Subscription sub =
      stand.reading.subscribe([this](const StandReading& r) { seen.push_back(r); });
};

TEST_F(StandFixture, AHeaderRemapsTheColumnsUnlessTheUserChoseThem) {
  stand.setOpen(true);
  stand.receive("voltage_v,thrust_g\n11.5,200\n");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].thrustG, 200);
  EXPECT_EQ(seen[0].voltageV, 11.5);

  stand.setColumns({C::Thrust, C::Voltage}, false);
  stand.receive("voltage_v,thrust_g\n11.5,200\n");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].thrustG, 11.5);
}

TEST_F(StandFixture, ReadsNothingWhileClosedAndCountsJunk) {
  stand.receive("1\n");
  EXPECT_TRUE(seen.empty());
  stand.setOpen(true);
  stand.receive("1\nxx\n" + std::string(500, '9') + "\n");
  EXPECT_EQ(stand.goodLines(), 1);
  EXPECT_EQ(stand.junkLines(), 2);
}

TEST_F(StandFixture, TareAndAKnownWeightCalibrateLaterReadings) {
  stand.setOpen(true);
  EXPECT_NE(stand.tare(), "");  // nothing read yet
  stand.receive("35\n");
  EXPECT_EQ(stand.tare(), "");
  EXPECT_NE(stand.calibrate(100), "");  // nothing on it above the tare
  stand.receive("85\n");                // a 100 g weight reading 50
  EXPECT_NE(stand.calibrate(-5), "");
  EXPECT_NE(stand.calibrate(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(stand.calibrate(100), "");
  stand.receive("60\n");
  ASSERT_TRUE(seen.back().thrustG);
  EXPECT_DOUBLE_EQ(*seen.back().thrustG, 50.0);
  EXPECT_DOUBLE_EQ(stand.calibration().offsetG, 35.0);
  EXPECT_DOUBLE_EQ(stand.calibration().scale, 2.0);
}

TEST_F(StandFixture, QuietTimeCountsFromTheOpenThenFromTheLastGoodLine) {
  clock.runFor(sim::Ms(5000));
  stand.setOpen(true);
  clock.runFor(sim::Ms(300));
  EXPECT_EQ(stand.quietMs(), 300);
  stand.receive("1\n");
  clock.runFor(sim::Ms(200));
  stand.receive("junk\n");
  EXPECT_EQ(stand.quietMs(), 200);
}

TEST(StandReading, PowerAndEfficiencyOnlyWhereMeasured) {
  StandReading r{400.0, 10.0, 12.0};
  EXPECT_EQ(r.powerW(), 120.0);
  EXPECT_NEAR(*r.gramsPerWatt(), 400.0 / 120.0, 1e-12);
  EXPECT_FALSE((StandReading{400.0, 10.0, {}}).powerW());
  EXPECT_FALSE((StandReading{400.0, 0.0, 12.0}).gramsPerWatt());
  EXPECT_FALSE((StandReading{-0.7, 0.4, 12.0}).gramsPerWatt());
}

TEST(StandCsv, TheTableGainsTheStandsColumnsOnlyWhenARowHasThem) {
  SweepRow plain{40, 2400, 12.5, 10, std::nullopt};
  EXPECT_EQ(SweepTable({plain}),
            (std::vector<std::string>{"throttle,rpm_mean,rpm_sd,samples", "40,2400.0,12.5,10"}));
  SweepRow measured = plain;
  measured.stand = StandRow{50.25, 1.0, 0.68, 12.37, 8.41, 5.976, 40};
  SweepRow half = plain;
  half.stand =
      StandRow{50.0, std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 1};
  EXPECT_EQ(SweepTable({measured, half}),
            (std::vector<std::string>{
                "throttle,rpm_mean,rpm_sd,samples,thrust_g_mean,thrust_g_sd,current_a,voltage_v,"
                "power_w,g_per_w",
                "40,2400.0,12.5,10,50.3,1.0,0.68,12.37,8.4,5.98", "40,2400.0,12.5,10,50.0,,,,,"}));
}

}  // namespace
}  // namespace morvane::test

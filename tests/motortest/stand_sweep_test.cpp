// SPDX-License-Identifier: GPL-3.0-or-later
// The sweep with the simulated thrust stand under the simulated motor, on the virtual clock.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "motor_bench.h"
#include "raise_throttle.h"
#include "sim/thrust_stand_model.h"

namespace morvane::test {
namespace {

// The bench with a stand whose lines go to the motor test as they would from its port.
struct StandBench : MotorBench {
  std::optional<sim::ThrustStandModel> model;
  bool sending = true;

  bool connectWithStand(sim::StandConfig config = {}) {
    if (!connect()) return false;
    model.emplace(config);
    test->stand().setOpen(true);
    sendNext();
    clock.runFor(Ms(200));
    return test->stand().latest().has_value();
  }
  void sendNext() {
    clock.scheduleIn(Ms(static_cast<std::int64_t>(model->periodMs())), [this] {
      if (!sending) return;
      test->stand().receive(model->next(clock.nowMs(), esc.erps(clock.nowMs())));
      sendNext();
    });
  }
  // The stop frame, 41 53 04 00, written at or after from.
  bool stopFrameSent(Ticks from) const {
    for (const auto& w : line.writes()) {
      if (w.at >= from && w.bytes == Bytes{0x41, 0x53, 0x04, 0x00}) return true;
    }
    return false;
  }
};

SweepPlan StandPlan() {
  SweepPlan plan;
  plan.from = 40;
  plan.to = 160;
  plan.step = 40;
  plan.settleMs = 1500;
  plan.samples = 10;
  plan.maximum = 160;
  return plan;
}

TEST(StandSweep, ThrustRisesWithTheThrottleAndGramsPerWattFollowTheModel) {
  StandBench b;
  ASSERT_TRUE(b.connectWithStand());
  ASSERT_EQ(b.test->stand().tare(), "");
  ASSERT_EQ(b.sweep().start(StandPlan()), "");
  ASSERT_TRUE(b.runUntil([&] { return !b.sweep().running(); }, Ms(60000)));
  ASSERT_EQ(b.sweep().phase(), SweepPhase::Done) << b.sweep().status();

  double previous = 0;
  for (const SweepRow& row : b.sweep().rows()) {
    ASSERT_TRUE(row.stand && row.stand->thrustMean && row.stand->gramsPerWatt) << row.throttle;
    const double erps = b.esc.settledErps(row.throttle);
    const double thrust = sim::ThrustStandModel::thrustG(erps);
    const double current = sim::ThrustStandModel::currentA(erps);
    const double watts = current * sim::ThrustStandModel::voltageV(current);
    EXPECT_GT(*row.stand->thrustMean, previous) << row.throttle;
    // The noise: 1 % of a reading and half a gram, averaged over the step's readings.
    EXPECT_NEAR(*row.stand->thrustMean, thrust, 0.02 * thrust + 1.0) << row.throttle;
    EXPECT_NEAR(*row.stand->gramsPerWatt, thrust / watts, 0.03 * thrust / watts) << row.throttle;
    EXPECT_GE(row.stand->readings, 10);
    previous = *row.stand->thrustMean;
  }
  EXPECT_EQ(b.sweep().rows().size(), 4u);
}

TEST(StandSweep, WithoutAStandRowsCarryNoStandColumns) {
  StandBench b;
  ASSERT_TRUE(b.connect());
  SweepPlan plan = StandPlan();
  plan.to = 40;
  ASSERT_EQ(b.sweep().start(plan), "");
  ASSERT_TRUE(b.runUntil([&] { return !b.sweep().running(); }, Ms(60000)));
  ASSERT_EQ(b.sweep().rows().size(), 1u);
  EXPECT_FALSE(b.sweep().rows()[0].stand);
}

struct StandStopCase {
  const char* name;
  StandLimits limits;
  sim::StandConfig stand;
  bool silence;  // the stand stops sending once the sweep runs
  std::string why;
};

sim::StandConfig GarbageOnly() {
  sim::StandConfig c;
  c.garbageEvery = 1;
  return c;
}

const StandStopCase kStops[] = {
    {"ThrustLimit", {300.0, std::nullopt}, {}, false, "thrust limit passed"},
    {"CurrentLimit", {std::nullopt, 5.0}, {}, false, "current limit passed"},
    {"SilentStand", {}, {}, true, "thrust stand silent for over a second"},
};

class StandStops : public ::testing::TestWithParam<StandStopCase> {};

TEST_P(StandStops, EndTheSweepWithTheStopFrameAndSayWhy) {
  const StandStopCase& c = GetParam();
  StandBench b;
  ASSERT_TRUE(b.connectWithStand(c.stand));
  b.test->setLimits(c.limits);
  ASSERT_EQ(b.sweep().start(StandPlan()), "");
  ASSERT_TRUE(b.runUntil([&] { return b.sweep().rows().size() == 1; }, Ms(30000)));
  const Ticks from = b.clock.now();
  if (c.silence) b.sending = false;
  ASSERT_TRUE(b.runUntil([&] { return !b.sweep().running(); }, Ms(30000)));
  EXPECT_EQ(b.sweep().phase(), SweepPhase::Stopped);
  EXPECT_NE(b.sweep().status().find("(" + c.why + ")"), std::string::npos) << b.sweep().status();
  const Ticks stopped = b.clock.now();
  // The stop frame goes with the next poll's turn on the line.
  b.clock.runFor(Ms(300));
  EXPECT_TRUE(b.stopFrameSent(stopped));
  EXPECT_LT(b.sweep().rows().size(), b.sweep().steps().size());
  if (c.silence) {
    // Stopped a second after the last line, not before and not much later.
    EXPECT_GE(stopped - from, Ms(ThrustStand::kSilentMs));
    EXPECT_LE(stopped - from, Ms(ThrustStand::kSilentMs + 300));
  }
  b.clock.runFor(Ms(2000));
  for (int t : b.throttlesSent(b.clock.now() - Ms(1500))) EXPECT_EQ(t, 0);
  EXPECT_EQ(b.esc.throttle(), 0);
}

INSTANTIATE_TEST_SUITE_P(Each, StandStops, ::testing::ValuesIn(kStops),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StandSweep, AStandSendingOnlyGarbageNeitherStartsASweepNorKeepsOneRunning) {
  StandBench b;
  ASSERT_TRUE(b.connectWithStand());
  ASSERT_EQ(b.sweep().start(StandPlan()), "");
  b.model.emplace(GarbageOnly());
  const Ticks from = b.clock.now();
  ASSERT_TRUE(b.runUntil([&] { return !b.sweep().running(); }, Ms(5000)));
  EXPECT_NE(b.sweep().status().find("thrust stand silent"), std::string::npos);
  b.clock.runFor(Ms(300));
  EXPECT_TRUE(b.stopFrameSent(from));
  EXPECT_GT(b.test->stand().junkLines(), 30);
  EXPECT_NE(b.sweep().start(StandPlan()), "");
}

TEST(StandSweep, ALimitStopsAThrottleSetByHandToo) {
  StandBench b;
  ASSERT_TRUE(b.connectWithStand());
  b.test->setLimits({100.0, std::nullopt});
  b.form.chooseTab(2);
  RaiseThrottle(b.form, 120);
  const Ticks from = b.clock.now();
  ASSERT_TRUE(b.runUntil([&] { return b.c().SldPower.value() == 0; }, Ms(5000)));
  b.clock.runFor(Ms(300));
  EXPECT_TRUE(b.stopFrameSent(from));
}

TEST(StandSweep, TheRecordingCarriesTheStandsColumnsOnlyWithAStand) {
  for (const bool withStand : {false, true}) {
    StandBench b;
    ASSERT_TRUE(withStand ? b.connectWithStand() : b.connect());
    std::vector<std::string> lines;
    b.test->startRecording([&](const std::string& l) { lines.push_back(l); });
    b.form.chooseTab(2);
    RaiseThrottle(b.form, 60);
    b.clock.runFor(Ms(2000));
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[0], withStand
                            ? "t_s,throttle,rpm_raw,rpm_avg,poles,thrust_g,current_a,voltage_v"
                            : "t_s,throttle,rpm_raw,rpm_avg,poles");
    EXPECT_EQ(std::count(lines.back().begin(), lines.back().end(), ','), withStand ? 7 : 4);
    b.test->stopMotor("test");
  }
}

}  // namespace
}  // namespace morvane::test

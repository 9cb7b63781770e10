// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <map>
#include <string>
#include <utility>

#include "motor_bench.h"

namespace morvane::test {
namespace {

SweepPlan QuickPlan(int from, int to, int step) {
  SweepPlan plan;
  plan.from = from;
  plan.to = to;
  plan.step = step;
  plan.settleMs = 500;
  plan.samples = 3;
  plan.maximum = to;
  return plan;
}

TEST(Sweep, RisesByAtMostLargeChangePerPollVisitsEveryStepNeverPassesItsMaximumAndEndsAtZero) {
  MotorBench b;
  ASSERT_TRUE(b.connect());
  SweepPlan plan = QuickPlan(40, 160, 20);
  plan.settleMs = 1500;  // six time constants of the motor
  ASSERT_EQ(b.sweep().start(plan), "");
  ASSERT_TRUE(b.runUntil([&] { return !b.sweep().running(); }, Ms(60000)));
  ASSERT_EQ(b.sweep().phase(), SweepPhase::Done) << b.sweep().status();
  b.clock.runFor(Ms(500));

  // One throttle frame follows a poll at most, so these are the throttles poll by poll.
  const std::vector<int> sent = b.throttlesSent();
  ASSERT_FALSE(sent.empty());
  int previous = 0;
  for (int t : sent) {
    EXPECT_LE(t - previous, b.c().SldPower.largeChange()) << previous << " to " << t;
    EXPECT_LE(t, plan.maximum);
    previous = t;
  }
  EXPECT_EQ(sent.back(), 0);
  std::vector<int> measured;
  for (const SweepRow& row : b.sweep().rows()) {
    measured.push_back(row.throttle);
    EXPECT_EQ(row.samples, plan.samples);
    EXPECT_NEAR(row.rpmMean, b.esc.settledErps(row.throttle) * 60, row.rpmMean * 0.01);
  }
  EXPECT_EQ(measured, (std::vector<int>{40, 60, 80, 100, 120, 140, 160}));
}

// The status line as each phase leaves it, in English (the golden transcripts and the window
// under English) and through the window's language: each sentence looked up whole under
// "Sweep", with its numbers in the translation's places, and the reason of a stop too.
TEST(Sweep, TheStatusLineTellsEachPhaseInEnglishOrInTheWindowsLanguage) {
  MotorBench b;
  ASSERT_TRUE(b.connect());
  const TranslateText shout = [](const char*, const char* english) {
    std::string text = english;
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  };
  ASSERT_EQ(b.sweep().start(QuickPlan(40, 80, 20)), "");
  std::map<SweepPhase, std::pair<std::string, std::string>> seen;
  while (b.sweep().running() && b.clock.elapsedMs() < 60000) {
    seen.try_emplace(b.sweep().phase(), b.sweep().status(), b.sweep().status(shout));
    b.clock.runFor(Ms(10));
  }
  seen.try_emplace(b.sweep().phase(), b.sweep().status(), b.sweep().status(shout));
  EXPECT_EQ(seen[SweepPhase::Rising],
            std::make_pair(std::string("Step 1 of 3: throttle 40, rising"),
                           std::string("STEP 1 OF 3: THROTTLE 40, RISING")));
  EXPECT_EQ(seen[SweepPhase::Settling].first, "Step 1 of 3: throttle 40, settling");
  EXPECT_EQ(seen[SweepPhase::Sampling].first, "Step 1 of 3: throttle 40, sample 0 of 3");
  EXPECT_EQ(seen[SweepPhase::Sampling].second, "STEP 1 OF 3: THROTTLE 40, SAMPLE 0 OF 3");
  EXPECT_EQ(seen[SweepPhase::Done],
            std::make_pair(std::string("Done: 3 steps measured; throttle 0."),
                           std::string("DONE: 3 STEPS MEASURED; THROTTLE 0.")));

  ASSERT_EQ(b.sweep().start(QuickPlan(40, 80, 20)), "");
  b.form.OnStopKey();
  EXPECT_EQ(b.sweep().status(), "Stopped (Escape) after 0 of 3 steps; throttle 0.");
  EXPECT_EQ(b.sweep().status(shout), "STOPPED (ESCAPE) AFTER 0 OF 3 STEPS; THROTTLE 0.");
}

TEST(Sweep, AOneStepPlanCountsItsStepInTheSingular) {
  MotorBench b;
  ASSERT_TRUE(b.connect());
  ASSERT_EQ(b.sweep().start(QuickPlan(40, 40, 20)), "");
  b.form.OnStopKey();
  EXPECT_EQ(b.sweep().status(), "Stopped (Escape) after 0 of 1 step; throttle 0.");

  ASSERT_EQ(b.sweep().start(QuickPlan(40, 40, 20)), "");
  while (b.sweep().running() && b.clock.elapsedMs() < 60000) b.clock.runFor(Ms(10));
  EXPECT_EQ(b.sweep().status(), "Done: 1 step measured; throttle 0.");
}

TEST(Sweep, ATableOfKnownSpeedsGivesTheirMeansAndStandardDeviations) {
  MotorBench b;
  // Speed replies carry, by the throttle the ESC holds, two known speeds by turns; with 2
  // poles a period of p reads 120000000 / p r/min.
  const std::map<int, std::pair<std::uint32_t, std::uint32_t>> periods = {
      {40, {6000, 4000}}, {60, {10000, 5000}}, {80, {3000, 3000}}};
  int speedReplies = 0;
  b.line.setShaper([&](const Bytes& reply) -> std::vector<sim::ReplyChunk> {
    if (reply.size() != 4 || periods.count(b.esc.throttle()) == 0) return {{1.0, reply}};
    const auto [first, second] = periods.at(b.esc.throttle());
    const std::uint32_t p = speedReplies++ % 2 == 0 ? first : second;
    return {{1.0,
             {0x59, static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 8),
              static_cast<std::uint8_t>(p >> 16)}}};
  });
  ASSERT_TRUE(b.connect());
  ASSERT_EQ(b.c().VSlPole.value(), 2);
  SweepPlan plan = QuickPlan(40, 80, 20);
  plan.samples = 4;
  ASSERT_EQ(b.sweep().start(plan), "");
  ASSERT_TRUE(b.runUntil([&] { return !b.sweep().running(); }, Ms(60000)));

  struct Expected {
    int throttle;
    double mean;
    double sd;
  };
  // 20000 and 30000 twice each: mean 25000, sample deviation sqrt(4 * 5000^2 / 3).
  const Expected expected[] = {{40, 25000, 5773.5027}, {60, 18000, 6928.2032}, {80, 40000, 0}};
  const std::vector<SweepRow>& rows = b.sweep().rows();
  ASSERT_EQ(rows.size(), std::size(expected));
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].throttle, expected[i].throttle);
    EXPECT_EQ(rows[i].samples, 4);
    EXPECT_NEAR(rows[i].rpmMean, expected[i].mean, 1e-6) << expected[i].throttle;
    EXPECT_NEAR(rows[i].rpmSd.value_or(-1), expected[i].sd, 1e-3) << expected[i].throttle;
  }
}

TEST(Sweep, NeverStartsUnlessConnected) {
  MotorBench b;
  b.line.addPort(1);  // a port with no ESC behind it
  b.form.Load();
  b.test = std::make_unique<MotorTest>(b.form, b.clock);
  b.clock.runFor(Ms(500));
  ASSERT_EQ(b.conn(), "Unconnected");
  const std::string note = b.sweep().start(QuickPlan(40, 60, 20));
  EXPECT_NE(note.find("Connected"), std::string::npos) << note;
  EXPECT_EQ(b.sweep().phase(), SweepPhase::Idle);

  // An ESC turning up later does not start it either.
  b.line.attachEsc(1, b.esc);
  ASSERT_TRUE(b.connectAndRead());
  b.clock.runFor(Ms(2000));
  for (int t : b.throttlesSent()) EXPECT_EQ(t, 0);
  EXPECT_EQ(b.c().SldPower.value(), 0);
}

TEST(Sweep, APlanReachingAboveItsMaximumIsRefusedAndMovesNothing) {
  MotorBench b;
  ASSERT_TRUE(b.connect());
  SweepPlan plan = QuickPlan(40, 180, 20);
  plan.maximum = 160;
  EXPECT_EQ(b.sweep().start(plan), "To (180) lies above the maximum (160).");
  b.clock.runFor(Ms(3000));
  for (int t : b.throttlesSent()) EXPECT_EQ(t, 0);
  EXPECT_EQ(b.c().SldPower.value(), 0);
}

// A sweep takes a plan only through its check, which refuses steps above the maximum, so
// its own limit is the guard behind that check. To reach the guard, the test lowers the
// maximum of a running sweep's plan past the check: an explicit instantiation may name a
// private member.
SweepPlan& PlanOf(ThrottleSweep& sweep);
template <SweepPlan ThrottleSweep::*Plan>
struct PlanPastTheCheck {
  friend SweepPlan& PlanOf(ThrottleSweep& sweep) { return sweep.*Plan; }
};
template struct PlanPastTheCheck<&ThrottleSweep::plan_>;

TEST(Sweep, NeverCommandsAboveItsMaximumEvenWithStepsThatSkippedTheCheck) {
  MotorBench b;
  ASSERT_TRUE(b.connect());
  ASSERT_EQ(b.sweep().start(QuickPlan(40, 80, 20)), "");
  PlanOf(b.sweep()).maximum = 60;  // the step to 80 now lies above it
  b.clock.runFor(Ms(20000));
  const std::vector<int> sent = b.throttlesSent();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(*std::max_element(sent.begin(), sent.end()), 60);
  EXPECT_EQ(b.c().SldPower.value(), 60);
}

// Every way a sweep ends brings the throttle to 0 at once, throttle 0 goes out within one
// poll, and nothing raises it again.
enum class Moment { JustStarted, Sampling };

struct StopCase {
  const char* name;
  Moment moment;
  std::function<void(MotorBench&)> stop;  // returns once the stop has happened
  bool escGone = false;                   // the ESC hears nothing until it is found again
};

void LoseTheEsc(MotorBench& b) {
  b.line.detachEsc(1);
  ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Unconnected"; }, Ms(3000)));
}

const StopCase kStopCases[] = {
    {"StopButtonJustStarted", Moment::JustStarted,
     [](MotorBench& b) { b.test->stopMotor("Stop"); }},
    {"StopButtonSampling", Moment::Sampling, [](MotorBench& b) { b.test->stopMotor("Stop"); }},
    {"ConnectionLostJustStarted", Moment::JustStarted, LoseTheEsc, true},
    {"ConnectionLostSampling", Moment::Sampling, LoseTheEsc, true},
    {"ConfigTabJustStarted", Moment::JustStarted,
     [](MotorBench& b) { b.c().TabStrip1.clickTab(1); }},
    {"ConfigTabSampling", Moment::Sampling, [](MotorBench& b) { b.c().TabStrip1.clickTab(1); }},
    {"WindowClosedSampling", Moment::Sampling, [](MotorBench& b) { b.test.reset(); }},
    {"ThrottleMovedByHandSampling", Moment::Sampling,
     [](MotorBench& b) { b.c().SldPower.setValue(b.c().SldPower.value() - 10); }},
    {"SweepEnds", Moment::Sampling,
     [](MotorBench& b) {
       ASSERT_TRUE(b.runUntil([&] { return !b.sweep().running(); }, Ms(10000)));
       ASSERT_EQ(b.sweep().phase(), SweepPhase::Done);
     }},
};

void PrintTo(const StopCase& c, std::ostream* os) {
  *os << c.name;
}

struct SweepStops : ::testing::TestWithParam<StopCase> {};

TEST_P(SweepStops, ThrottleZeroAtOnceAndOnTheLineWithinOnePoll) {
  const StopCase& c = GetParam();
  MotorBench b;
  ASSERT_TRUE(b.connect());
  ASSERT_EQ(b.sweep().start(QuickPlan(40, 60, 20)), "");
  if (c.moment == Moment::Sampling) {
    ASSERT_TRUE(b.runUntil([&] { return b.sweep().phase() == SweepPhase::Sampling; }, Ms(10000)));
    ASSERT_EQ(b.esc.throttle(), 40);
  }
  const Ticks before = b.clock.now();
  c.stop(b);
  if (::testing::Test::HasFatalFailure()) return;
  const Ticks stopped = b.clock.now();
  EXPECT_EQ(b.c().SldPower.value(), 0);
  if (b.test) {
    EXPECT_FALSE(b.sweep().running());
  }

  // Run on to the second poll after the stop: throttle 0 must be out before it.
  if (c.escGone) b.line.attachEsc(1, b.esc);
  const auto pollsSince = [&](Ticks from, Ticks to) {
    int n = 0;
    for (const auto& w : b.line.writes()) n += w.at > from && w.at < to && MotorBench::isPoll(w);
    return n;
  };
  ASSERT_TRUE(b.runUntil([&] { return pollsSince(stopped, b.clock.now() + 1) >= 2; }, Ms(3000)));
  if (c.moment == Moment::Sampling) {
    Ticks zeroAt = -1;
    for (const auto& w : b.line.writes()) {
      if (w.at >= before && MotorBench::isThrottle(w) && w.bytes[3] == 0) {
        zeroAt = w.at;
        break;
      }
    }
    ASSERT_GE(zeroAt, 0) << "no throttle 0 on the line";
    EXPECT_LE(pollsSince(stopped, zeroAt), 1) << "throttle 0 came after more than one poll";
  }

  // Nothing raises it again, also once a lost ESC is back.
  if (c.escGone) {
    ASSERT_TRUE(b.connectAndRead(Ms(3000)));
  }
  b.clock.runFor(Ms(3000));
  for (int t : b.throttlesSent(stopped)) EXPECT_EQ(t, 0);
  EXPECT_EQ(b.esc.throttle(), 0);
  EXPECT_EQ(b.c().SldPower.value(), 0);
}

INSTANTIATE_TEST_SUITE_P(Each, SweepStops, ::testing::ValuesIn(kStopCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morvane::test

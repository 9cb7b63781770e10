// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "motor_bench.h"
#include "protocol/process_reply.h"
#include "raise_throttle.h"

namespace morvane::test {
namespace {

struct RunningMotor : ::testing::Test {
  MotorBench b;
  void SetUp() override {
    ASSERT_TRUE(b.connect());
    b.c().TabStrip1.clickTab(2);
    b.c().VSlPole.setValue(14);
    RaiseThrottle(b.c().SldPower, 100);
    b.clock.runFor(Ms(2000));
  }
};

TEST_F(RunningMotor, EachSpeedReplyGivesASampleOfWhatTheRunPanelShows) {
  int speedReplies = 0;
  const auto counter =
      b.form.replyHandled.subscribe([&] { speedReplies += Head(b.s()).tx[0] == CMD_GET_SPEED; });
  std::vector<MotorSample> seen;
  std::vector<std::int32_t> periods;  // of the reply each sample came from
  const auto watcher = b.test->sampled.subscribe([&] {
    seen.push_back(b.test->history().back());
    const auto& reply = Head(b.s()).reply;
    periods.push_back(reply[1] | reply[2] << 8 | reply[3] << 16);
  });
  b.clock.runFor(Ms(1000));

  ASSERT_GT(speedReplies, 5);
  ASSERT_EQ(static_cast<int>(seen.size()), speedReplies);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_TRUE(seen[i].speedReply);
    EXPECT_EQ(seen[i].throttle, 100);
    EXPECT_EQ(seen[i].poles, 14);
    ASSERT_TRUE(seen[i].rpmRaw.has_value());
    EXPECT_EQ(*seen[i].rpmRaw, SpeedSample(periods[i], 14)) << "not this reply's own sample";
  }
  EXPECT_EQ(std::to_string(seen.back().rpmAvg), b.c().TxtRev.text());
}

TEST_F(RunningMotor, HistoryKeepsTheLastMinute) {
  b.clock.runFor(Ms(70000));
  const auto& h = b.test->history();
  ASSERT_FALSE(h.empty());
  EXPECT_GE(h.front().tMs, h.back().tMs - MotorTest::kHistoryMs);
  EXPECT_LE(h.front().tMs, h.back().tMs - MotorTest::kHistoryMs + 200);
}

TEST_F(RunningMotor, RecordingWritesAHeaderThenOneRowPerSpeedReplyUntilStopped) {
  std::vector<std::string> lines;
  int speedReplies = 0;
  const auto counter =
      b.form.replyHandled.subscribe([&] { speedReplies += Head(b.s()).tx[0] == CMD_GET_SPEED; });
  b.test->startRecording([&](const std::string& line) { lines.push_back(line); });
  b.clock.runFor(Ms(1000));
  b.test->stopRecording();
  const int recorded = speedReplies;
  b.clock.runFor(Ms(1000));

  ASSERT_GT(recorded, 5);
  ASSERT_EQ(static_cast<int>(lines.size()), 1 + recorded);
  EXPECT_EQ(lines[0], "t_s,throttle,rpm_raw,rpm_avg,poles");
  EXPECT_EQ(b.test->recordedRows(), recorded);
  double previous = -1;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const double t = std::stod(lines[i]);
    EXPECT_GT(t, previous);
    EXPECT_LE(t, 1.0);
    previous = t;
    EXPECT_NE(lines[i].find(",100,"), std::string::npos) << lines[i];
    EXPECT_EQ(lines[i].substr(lines[i].rfind(',')), ",14") << lines[i];
  }
}

}  // namespace
}  // namespace morvane::test

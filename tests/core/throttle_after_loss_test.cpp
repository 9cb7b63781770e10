// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "bench.h"

namespace morvane::test {
namespace {

// The ESC takes a throttle but its reply never comes back before the link gives up:
// the window shows 0, so the ESC must be brought to 0 when it is found again.
struct UnackedThrottle : ::testing::Test {
  Bench b;
  bool silent = false;  // once the ESC has taken the throttle, nothing comes back

  void SetUp() override {
    b.line.setShaper([this](const Bytes& reply) -> std::vector<sim::ReplyChunk> {
      if (silent && b.esc.throttle() != 0) return {};
      return {{1.0, reply}};
    });
    b.line.attachEsc(1, b.esc);
    b.form.Load();
    ASSERT_TRUE(b.connectAndRead());
    b.c().TabStrip1.clickTab(2);
    b.c().SldPower.setValue(5);
    silent = true;
    ASSERT_TRUE(b.runUntil([&] { return b.esc.throttle() == 5; }, Ms(500)));
    ASSERT_EQ(b.s().lastThrottle, 0) << "the throttle was never acknowledged";
  }
};

TEST_F(UnackedThrottle, IsStoppedWhenTheEscIsFoundAgainAfterThreeTimeouts) {
  ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Unconnected"; }, Ms(2000)));
  EXPECT_EQ(b.c().SldPower.value(), 0);
  silent = false;
  ASSERT_TRUE(b.connectAndRead());
  EXPECT_TRUE(b.runUntil([&] { return b.esc.throttle() == 0; }, Ms(500)));
}

TEST_F(UnackedThrottle, IsStoppedWhenAPulledAdapterIsPluggedInAgain) {
  b.line.unplug();
  EXPECT_EQ(b.c().SldPower.value(), 0);
  silent = false;
  b.line.addPort(1);
  b.c().CombPort.setListIndex(0);
  ASSERT_TRUE(b.connectAndRead());
  EXPECT_TRUE(b.runUntil([&] { return b.esc.throttle() == 0; }, Ms(500)));
}

}  // namespace
}  // namespace morvane::test

namespace morvane::test {
namespace {

TEST(UnackedThrottleAcrossUnplug, AnEscFoundAgainAfterAPulledAdapterIsSentTheThrottle) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  ASSERT_EQ(b.s().lastThrottle, 0);
  // Pulled while idle with the throttle at 0; meanwhile the ESC was set running by something else (its own
  // power-up state, another tool): we cannot know what it holds.
  b.line.unplug();
  b.esc.answer({CMD_SET_THROTTLE, 40}, b.clock.nowMs());
  b.line.addPort(1);
  b.c().CombPort.setListIndex(0);
  ASSERT_TRUE(b.connectAndRead());
  EXPECT_TRUE(b.runUntil([&] { return b.esc.throttle() == 0; }, Ms(500)));
}

}  // namespace
}  // namespace morvane::test

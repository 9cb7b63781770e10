// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_timer.h"

#include <gtest/gtest.h>

#include <QTest>

namespace morvane {
namespace {

class CountingTimer : public QtTimer {
 public:
  explicit CountingTimer(int ms) : QtTimer(ms) {
    setOnTick([this] { ++ticks; });
  }
  int ticks = 0;
};

TEST(QtTimer, TicksOncePerStartAndARestartAddsNoTick) {
  CountingTimer timer(20);
  timer.setEnabled(true);
  timer.setEnabled(true);
  EXPECT_TRUE(timer.enabled());
  ASSERT_TRUE(QTest::qWaitFor([&] { return timer.ticks > 0; }, 2000));
  EXPECT_FALSE(timer.enabled());
  QTest::qWait(120);
  EXPECT_EQ(timer.ticks, 1);
}

TEST(QtTimer, AStoppedTimerDoesNotTick) {
  CountingTimer timer(20);
  timer.setEnabled(true);
  timer.setEnabled(false);
  EXPECT_FALSE(timer.enabled());
  QTest::qWait(120);
  EXPECT_EQ(timer.ticks, 0);
}

}  // namespace
}  // namespace morvane

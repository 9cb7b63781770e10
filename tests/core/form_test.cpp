// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own handlers: throttle limit and hysteresis, tabs, caption, pole count.
#include <gtest/gtest.h>

#include "bench.h"
#include "two_escs.h"
#include "raise_throttle.h"

namespace morvane::test {
namespace {

// Connected to an ESC that never needs to answer: the throttle works.
struct Window : Bench {
  Window() {
    form.Load();
    c().TxtConnState.setText("Connected");
  }
  RangeControl& slider() { return c().SldPower; }
};

TEST(Form, TheThrottleRisesAtMostOneLargeChangePerNotification) {
  Window w;
  int notifications = 0;
  w.slider().changed.connect([&] { ++notifications; });
  w.slider().setValue(200);  // one jump from 0
  EXPECT_EQ(w.slider().value(), 5);
  EXPECT_EQ(w.c().LbPower.text(), "5");
  EXPECT_EQ(w.s().prevSliderValue, 5);
  w.slider().setValue(9);  // within the step: kept
  EXPECT_EQ(w.slider().value(), 9);
  w.slider().setValue(15);
  EXPECT_EQ(w.slider().value(), 14);
  w.slider().setValue(0);  // falling is never limited
  EXPECT_EQ(w.slider().value(), 0);
  EXPECT_EQ(w.c().LbPower.text(), "0");
  w.slider().setValue(-5);  // clamped to the range
  EXPECT_EQ(w.slider().value(), 0);
  EXPECT_GE(notifications, 5);
}

TEST(Form, TheMotorCountsAsRunningAbove25AndStoppedBelow20) {
  Window w;
  const std::pair<int, bool> steps[] = {{5, false},  {10, false}, {15, false}, {20, false},
                                        {22, false}, {25, false}, {26, true},  {25, true},
                                        {22, true},  {20, true},  {19, false}, {22, false}};
  for (const auto& [value, running] : steps) {
    w.c().TxtRev.setText("1234");
    w.slider().setValue(value);
    ASSERT_EQ(w.slider().value(), value);
    EXPECT_EQ(w.s().motorRunning, running) << value;
    EXPECT_EQ(w.c().TxtRev.text(), value < 20 ? "0" : "1234") << value;
  }
}

TEST(Form, TheThrottleWorksOnlyWhileAnEscIsConnected) {
  Bench b;
  b.form.Load();
  RangeControl& slider = b.c().SldPower;
  EXPECT_FALSE(slider.enabled());
  slider.setValue(5);  // however it gets there, it is put back
  EXPECT_EQ(slider.value(), 0);
  EXPECT_EQ(b.c().LbPower.text(), "0");
  EXPECT_EQ(b.s().prevSliderValue, 0);

  b.c().TxtConnState.setText("Connected");
  EXPECT_TRUE(slider.enabled());
  RaiseThrottle(slider, 40);
  ASSERT_TRUE(b.s().motorRunning);
  b.c().TxtRev.setText("9000");

  b.c().TxtConnState.setText("Unconnected");
  EXPECT_FALSE(slider.enabled());
  EXPECT_EQ(slider.value(), 0);
  EXPECT_EQ(b.c().LbPower.text(), "0");
  EXPECT_EQ(b.c().TxtRev.text(), "0");
  EXPECT_FALSE(b.s().motorRunning);
}

TEST(Form, TheStopKeyTakesTheThrottleTo0AtOnce) {
  Window w;
  RaiseThrottle(w.slider(), 40);
  int notifications = 0;
  w.slider().changed.connect([&] { ++notifications; });
  w.form.OnStopKey();
  EXPECT_EQ(w.slider().value(), 0);
  EXPECT_EQ(w.c().LbPower.text(), "0");
  EXPECT_FALSE(w.s().motorRunning);
  EXPECT_EQ(notifications, 1);
  w.form.OnStopKey();  // already stopped: nothing happens
  EXPECT_EQ(notifications, 1);
}

TEST(Form, ShutdownRunsOnce) {
  Bench b;
  b.line.addPort(1);
  b.form.Load();
  b.form.Unload();
  ASSERT_FALSE(b.line.portOpen());
  // Whatever runs afterwards, a second shutdown touches nothing.
  b.timer1.setEnabled(true);
  b.line.setRThreshold(1);
  b.form.Unload();
  EXPECT_TRUE(b.timer1.enabled());
  EXPECT_EQ(b.line.rThreshold(), 1);
}

TEST(Form, TabsSwitchPanelsAndTheConfigTabStopsTheMotor) {
  Window w;
  int focusRun = 0;
  int focusTabs = 0;
  w.slider().focusRequested.connect([&] { ++focusRun; });
  w.c().TabStrip1.focusRequested.connect([&] { ++focusTabs; });

  w.c().TabStrip1.clickTab(1);  // the shown tab: nothing
  EXPECT_EQ(focusTabs, 0);

  w.c().TabStrip1.clickTab(2);
  EXPECT_EQ(w.s().currentTab, 2);
  EXPECT_TRUE(w.c().FrameRun.visible());
  EXPECT_FALSE(w.c().FrameConfig.visible());
  EXPECT_EQ(focusRun, 1);
  RaiseThrottle(w.slider(), 40);
  w.c().TxtRev.setText("9000");

  w.c().TabStrip1.clickTab(2);  // again: the throttle stays
  EXPECT_EQ(w.slider().value(), 40);

  w.c().TabStrip1.clickTab(1);
  EXPECT_EQ(w.slider().value(), 0);
  EXPECT_EQ(w.c().LbPower.text(), "0");
  EXPECT_EQ(w.c().TxtRev.text(), "0");
  EXPECT_FALSE(w.s().motorRunning);
  EXPECT_TRUE(w.c().FrameConfig.visible());
  EXPECT_FALSE(w.c().FrameRun.visible());
  EXPECT_EQ(focusTabs, 1);

  w.c().TabStrip1.clickTab(2);  // going to Run leaves the throttle alone
  EXPECT_EQ(w.slider().value(), 0);
}

TEST(Form, ThePoleCountIsShownAndStaysWithinItsRange) {
  Window w;
  w.c().VSlPole.setValue(14);
  EXPECT_EQ(w.c().TxtPole.text(), "14");
  w.c().VSlPole.setValue(40);
  EXPECT_EQ(w.c().TxtPole.text(), "24");
  w.c().VSlPole.setValue(0);
  EXPECT_EQ(w.c().TxtPole.text(), "2");
}

TEST(Form, CaptionCarriesTheVersion) {
  EXPECT_EQ(Caption({1, 0, 14}), "Morvane ESC Config V1.014");
  EXPECT_EQ(Caption({2, 3, 5}), "Morvane ESC Config V2.305");
  EXPECT_EQ(Caption({1, 12, 7}), "Morvane ESC Config V1.1207");
  EXPECT_EQ(Caption({10, 0, 123}), "Morvane ESC Config V10.0123");
}

TEST(Form, SettingsBoxesHoldTheirListsAndDriveTheWantedValues) {
  Window w;
  const std::vector<std::pair<ComboBox*, std::vector<std::string>>> boxes = {
      {&w.c().CombCutOffV, {"4.8V", "5.6V *", "6.0V", "7.2V", "8.4V", "9.0V", "11.0V", "12.0V"}},
      {&w.c().CombCutOffT, {"Hard Cutoff", "Soft Cutoff *"}},
      {&w.c().CombBrake, {"Disable *", "Enable"}},
      {&w.c().CombTiming, {"4-10\u00b0", "10-20\u00b0 *", "20-30\u00b0"}},
      {&w.c().CombDir, {"Forward *", "Reverse"}},
  };
  for (int i = 0; i < 5; ++i) {
    ComboBox& box = *boxes[i].first;
    ASSERT_EQ(&box, &w.c().setting(i));
    std::vector<std::string> texts;
    for (int e = 0; e < box.listCount(); ++e) {
      texts.push_back(box.list(e));
      EXPECT_EQ(box.itemData(e), e + 1);
    }
    EXPECT_EQ(texts, boxes[i].second);
    const int last = box.listCount() - 1;
    box.setListIndex(last);
    EXPECT_EQ(w.s().wantedValue[i], last);
    EXPECT_FALSE(box.setListIndex(last + 1));  // no such entry
    EXPECT_EQ(w.s().wantedValue[i], last);
  }
  w.c().CmdReset.click();
  EXPECT_EQ(w.s().wantedValue, (std::array<std::int32_t, 5>{1, 1, 0, 1, 0}));
  EXPECT_FALSE(w.c().CmdSave.visible());
  EXPECT_FALSE(w.c().CmdLoad.visible());
}

TEST(Form, MissesOnAnEarlierConnectionDoNotCountOnTheNextOne) {
  TwoEscs<Bench> b;
  ASSERT_TRUE(b.connectAndRead());
  // Two timeouts, then the user moves to the other port.
  b.line.detachEsc(1);
  ASSERT_TRUE(b.runUntil([&] { return b.s().missCount == 2; }, Ms(1000)));
  b.c().CombPort.setListIndex(1);
  ASSERT_TRUE(b.connectAndRead());
  // One miss on the new connection is just one miss.
  sim::FaultOptions once;
  once.dropEvery = 1;
  b.line.setFaults(once);
  ASSERT_TRUE(b.runUntil([&] { return b.s().missCount == 1; }, Ms(1000)));
  b.line.setFaults({});
  b.clock.runFor(Ms(1000));
  EXPECT_EQ(b.conn(), "Connected");
}

}  // namespace
}  // namespace morvane::test

namespace morvane::test {
namespace {

TEST(Observers, StopWhenDisconnectedAlsoFromInsideANotification) {
  Observers o;
  std::vector<int> calls;
  Observers::Id second = 0;
  o.connect([&] {
    calls.push_back(1);
    o.disconnect(second);  // the next one is not called any more, this very time
  });
  second = o.connect([&] { calls.push_back(2); });
  {
    const Observers::Subscription third = o.subscribe([&] { calls.push_back(3); });
    o.notify();
  }
  o.notify();
  EXPECT_EQ(calls, (std::vector<int>{1, 3, 1}));
}

}  // namespace
}  // namespace morvane::test

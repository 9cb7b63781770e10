// SPDX-License-Identifier: GPL-3.0-or-later
// The binding both ways: user actions on the widgets reach the window's logic, and every
// change the logic makes shows in the widgets, with no extra notification on the way.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <memory>
#include <vector>

#include "count_clicks.h"
#include "window_bench.h"

namespace morvane::test {
namespace {

QString Q(const char* utf8) {
  return QString::fromUtf8(utf8);
}

void ClickTab(WindowBench& b, int index) {
  QTabBar* bar = b.find<QTabWidget>("TabStrip1")->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

// Picks the entry the popup list already shows, as a user does with Return.
void PickShownEntry(QComboBox* box) {
  box->showPopup();
  QTest::keyClick(box->view(), Qt::Key_Return);
}

TEST(Binding, StartUpShowsCaptionDefaultsAndTheConfigPanel) {
  WindowBench b;
  b.line.addPort(2);
  b.form.Load();
  EXPECT_EQ(b.view.windowTitle(), Q("Morvane ESC Config V1.014"));
  EXPECT_FALSE(b.find("FrameConfig")->isHidden());
  EXPECT_TRUE(b.find("FrameRun")->isHidden());
  EXPECT_EQ(b.find<QComboBox>("CombPort")->currentText(), Q("COM2"));
  EXPECT_EQ(b.find<QComboBox>("CombPort")->itemData(0).toInt(), 2);
  const std::pair<const char*, const char*> defaults[] = {{"CombCutOffV", "5.6V *"},
                                                          {"CombCutOffT", "Soft Cutoff *"},
                                                          {"CombBrake", "Disable *"},
                                                          {"CombTiming", "10-20\u00b0 *"},
                                                          {"CombDir", "Forward *"}};
  for (const auto& [name, text] : defaults) {
    EXPECT_EQ(b.find<QComboBox>(name)->currentText(), Q(text)) << name;
  }
}

TEST(Binding, KeyboardPickInASettingsBoxSetsItsWantedValue) {
  struct Case {
    const char* box;
    int setting;
    Qt::Key key;
    int wanted;
  };
  const Case cases[] = {
      {"CombCutOffV", 0, Qt::Key_Down, 2}, {"CombCutOffT", 1, Qt::Key_Up, 0},
      {"CombBrake", 2, Qt::Key_Down, 1},   {"CombTiming", 3, Qt::Key_Up, 0},
      {"CombDir", 4, Qt::Key_End, 1},
  };
  WindowBench b;
  b.form.Load();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    auto* box = b.find<QComboBox>(c.box);
    box->setFocus();
    QTest::keyClick(box, c.key);
    EXPECT_EQ(b.s().wantedValue[c.setting], c.wanted);
    EXPECT_EQ(b.c().setting(c.setting).listIndex(), c.wanted);
    EXPECT_EQ(box->currentIndex(), c.wanted);
  }
}

TEST(Binding, PickingTheShownPortAgainReopensAPortThatFailed) {
  WindowBench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  const auto clicks = CountClicks(b.c().CombPort);
  b.line.unplug();
  EXPECT_FALSE(b.line.portOpen());
  EXPECT_EQ(b.find<QLabel>("TxtConnState")->text(), Q("Unconnected"));
  b.line.attachEsc(1, b.esc);  // plugged in again

  auto* box = b.find<QComboBox>("CombPort");
  ASSERT_EQ(box->currentText(), Q("COM1"));
  PickShownEntry(box);
  EXPECT_EQ(*clicks, 1);
  EXPECT_TRUE(b.line.portOpen());
  EXPECT_EQ(b.line.commPort(), 1);
  EXPECT_TRUE(b.connectAndRead());
  EXPECT_EQ(b.find<QLabel>("TxtConnState")->text(), Q("Connected"));
}

TEST(Binding, RemovingAFailedPortRaisesNoSecondSelection) {
  WindowBench b;
  for (int n : {1, 2, 3}) b.line.addPort(n);
  b.form.Load();
  auto* box = b.find<QComboBox>("CombPort");
  ASSERT_EQ(box->count(), 3);
  const auto clicks = CountClicks(b.c().CombPort);
  b.line.removePort(2);  // gone since the scan

  QTest::keyClick(box, Qt::Key_Down);  // the user picks COM2
  // The pick, then the logic's own selection of the neighbour: nothing more.
  EXPECT_EQ(*clicks, 2);
  EXPECT_EQ(b.line.openAttempts(2), 2);  // the scan, then the pick
  EXPECT_EQ(b.line.commPort(), 1);
  EXPECT_TRUE(b.line.portOpen());
  ASSERT_EQ(box->count(), 2);
  EXPECT_EQ(box->itemText(0), Q("COM1"));
  EXPECT_EQ(box->itemText(1), Q("COM3"));
  EXPECT_EQ(box->itemData(1).toInt(), 3);
  EXPECT_EQ(box->currentIndex(), 0);
}

// As if an ESC had just been identified: the throttle works.
void Connect(WindowBench& b) {
  b.c().TxtConnState.setText("Connected");
}

TEST(Binding, ThrottleKeysClimbByAtMostOneLargeChangePerNotification) {
  WindowBench b;
  b.form.Load();
  Connect(b);
  ClickTab(b, 1);
  auto* slider = b.find<QSlider>("SldPower");

  struct Step {
    Qt::Key key;
    int expected;
  };
  const Step steps[] = {{Qt::Key_End, 5},    {Qt::Key_End, 10}, {Qt::Key_PageUp, 15},
                        {Qt::Key_Right, 16}, {Qt::Key_End, 21}, {Qt::Key_Home, 0}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.expected);
    QTest::keyClick(slider, step.key);
    EXPECT_EQ(slider->value(), step.expected);
    EXPECT_EQ(b.c().SldPower.value(), step.expected);
    EXPECT_EQ(b.find<QLabel>("LbPower")->text(), QString::number(step.expected));
  }
}

TEST(Binding, ThrottleDragIsLimitedAndTheThumbFollowsTheModel) {
  WindowBench b;
  b.form.Load();
  Connect(b);
  ClickTab(b, 1);
  auto* slider = b.find<QSlider>("SldPower");
  // One drag notification that jumps far ends one large change up.
  slider->setSliderDown(true);
  slider->setSliderPosition(150);
  slider->setSliderDown(false);
  EXPECT_EQ(b.c().SldPower.value(), 5);
  EXPECT_EQ(slider->value(), 5);
  EXPECT_EQ(b.find<QLabel>("LbPower")->text(), Q("5"));
  // A value set by the logic (the Config tab stops the motor) moves the thumb.
  ClickTab(b, 0);
  EXPECT_EQ(slider->value(), 0);
  EXPECT_EQ(b.find<QLabel>("LbPower")->text(), Q("0"));
}

TEST(Binding, PoleScrollBarUpArrowRaisesTheCountByTwo) {
  WindowBench b;
  b.form.Load();
  ClickTab(b, 1);
  auto* bar = b.find<QScrollBar>("VSlPole");
  const QPoint upArrow(bar->width() / 2, 2);
  const QPoint downArrow(bar->width() / 2, bar->height() - 3);

  QTest::mouseClick(bar, Qt::LeftButton, {}, upArrow);
  EXPECT_EQ(b.c().VSlPole.value(), 4);
  EXPECT_EQ(b.find<QLabel>("TxtPole")->text(), Q("4"));
  QTest::keyClick(bar, Qt::Key_Up);
  EXPECT_EQ(b.find<QLabel>("TxtPole")->text(), Q("6"));
  QTest::mouseClick(bar, Qt::LeftButton, {}, downArrow);
  EXPECT_EQ(b.find<QLabel>("TxtPole")->text(), Q("4"));
  for (int i = 0; i < 15; ++i) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, upArrow);
    EXPECT_EQ(b.c().VSlPole.value() % 2, 0);
  }
  EXPECT_EQ(b.c().VSlPole.value(), 24);
  EXPECT_EQ(b.find<QLabel>("TxtPole")->text(), Q("24"));
}

TEST(Binding, TheThrottleIsGreyedOutUntilAnEscIsConnected) {
  WindowBench b;
  b.form.Load();
  ClickTab(b, 1);
  auto* slider = b.find<QSlider>("SldPower");
  EXPECT_FALSE(slider->isEnabled());
  EXPECT_TRUE(slider->toolTip().contains(Q("No ESC connected")));
  QTest::keyClick(slider, Qt::Key_PageUp);
  EXPECT_EQ(b.c().SldPower.value(), 0);

  Connect(b);
  EXPECT_TRUE(slider->isEnabled());
  EXPECT_TRUE(slider->toolTip().contains(Q("Esc stops the motor")));
}

TEST(Binding, EscapeStopsTheMotorFromAnyWidgetAlsoWithAListOpen) {
  WindowBench b;
  b.line.addPort(1);
  b.form.Load();
  b.view.show();
  b.view.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&b.view));
  Connect(b);
  ClickTab(b, 1);
  for (int i = 0; i < 8; ++i) QTest::keyClick(b.find("SldPower"), Qt::Key_PageUp);
  ASSERT_EQ(b.c().SldPower.value(), 40);

  int stops = 0;
  const auto counted = b.form.stopRequested.subscribe([&stops] { ++stops; });
  auto* ports = b.find<QComboBox>("CombPort");
  ports->showPopup();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(ports->view()->window()));
  QTest::keyClick(ports->view(), Qt::Key_Escape);
  EXPECT_EQ(stops, 1);  // once per press, however far the key travels
  EXPECT_EQ(b.c().SldPower.value(), 0);
  EXPECT_EQ(b.find<QSlider>("SldPower")->value(), 0);
  EXPECT_EQ(b.find<QLabel>("LbPower")->text(), Q("0"));
  EXPECT_FALSE(ports->view()->isVisible());  // the list closes as it always does

  QTest::keyClick(b.find("SldPower"), Qt::Key_PageUp);
  QTest::keyClick(b.find("VSlPole"), Qt::Key_Escape);
  EXPECT_EQ(stops, 2);
  EXPECT_EQ(b.c().SldPower.value(), 0);
}

TEST(Binding, TabClickShowsItsPanelAndMovesTheFocus) {
  WindowBench b;
  b.form.Load();
  Connect(b);
  const auto clicks = CountClicks(b.c().TabStrip1);
  auto* tabs = b.find<QTabWidget>("TabStrip1");

  ClickTab(b, 1);
  EXPECT_EQ(*clicks, 1);
  EXPECT_EQ(b.c().TabStrip1.selectedItem(), 2);
  EXPECT_EQ(tabs->currentIndex(), 1);
  EXPECT_FALSE(b.find("FrameRun")->isHidden());
  EXPECT_TRUE(b.find("FrameConfig")->isHidden());
  EXPECT_EQ(b.view.focusWidget(), b.find("SldPower"));

  b.c().SldPower.setValue(5);
  ClickTab(b, 1);  // the shown tab: handled, nothing changes
  EXPECT_EQ(*clicks, 2);
  EXPECT_EQ(b.c().SldPower.value(), 5);

  ClickTab(b, 0);
  EXPECT_EQ(*clicks, 3);
  EXPECT_EQ(tabs->currentIndex(), 0);
  EXPECT_FALSE(b.find("FrameConfig")->isHidden());
  EXPECT_TRUE(b.find("FrameRun")->isHidden());
  EXPECT_EQ(ControlName(b.view.focusWidget()), Q("TabStrip1"));
  EXPECT_EQ(b.c().SldPower.value(), 0);

  // Keys on the tab strip switch panels through the same handler.
  QTest::keyClick(tabs->tabBar(), Qt::Key_Right);
  EXPECT_EQ(*clicks, 4);
  EXPECT_FALSE(b.find("FrameRun")->isHidden());
}

TEST(Binding, AccessKeysReachTabsAndTheRestoreButtonOnly) {
  WindowBench b;
  b.form.Load();
  b.view.show();
  b.view.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&b.view));
  const auto tabClicks = CountClicks(b.c().TabStrip1);
  const auto resets = CountClicks(b.c().CmdReset);

  QTest::keyClick(&b.view, Qt::Key_R, Qt::AltModifier);
  EXPECT_EQ(*tabClicks, 1);
  EXPECT_FALSE(b.find("FrameRun")->isHidden());
  QTest::keyClick(&b.view, Qt::Key_C, Qt::AltModifier);
  EXPECT_EQ(*tabClicks, 2);
  EXPECT_FALSE(b.find("FrameConfig")->isHidden());

  b.c().CombDir.setListIndex(1);
  QTest::keyClick(&b.view, Qt::Key_S, Qt::AltModifier);  // the hidden "&Save to file"
  QTest::keyClick(&b.view, Qt::Key_L, Qt::AltModifier);  // the hidden "&Load from file"
  QTest::keyClick(&b.view, Qt::Key_E, Qt::AltModifier);  // "R&estore Default"
  // A button's access key clicks it after a short press animation.
  EXPECT_TRUE(QTest::qWaitFor([&] { return *resets > 0; }, 2000));
  EXPECT_EQ(*resets, 1);
  EXPECT_TRUE(b.find("CmdSave")->isHidden());
  EXPECT_TRUE(b.find("CmdLoad")->isHidden());
  EXPECT_EQ(b.s().wantedValue[4], 0);
  EXPECT_EQ(b.find<QComboBox>("CombDir")->currentIndex(), 0);
}

TEST(Binding, EscTrafficShowsInTheWidgets) {
  WindowBench b;
  // Values on the wire are the list index plus one; ids: voltage, brake, timing, type, direction.
  b.esc.setSetting(0, 4);
  b.esc.setSetting(1, 2);
  b.esc.setSetting(2, 3);
  b.esc.setSetting(3, 1);
  b.esc.setSetting(4, 2);
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());

  EXPECT_EQ(b.find<QLabel>("TxtConnState")->text(), Q("Connected"));
  EXPECT_EQ(b.find<QLabel>("TxtHardVer")->text(), Q("MORVANE QR-18A V1.003"));
  EXPECT_EQ(b.find<QLabel>("TxtFirmVer")->text(), Q("V1.234"));
  const std::pair<const char*, const char*> shown[] = {{"CombCutOffV", "7.2V"},
                                                       {"CombBrake", "Enable"},
                                                       {"CombTiming", "20-30\u00b0"},
                                                       {"CombCutOffT", "Hard Cutoff"},
                                                       {"CombDir", "Reverse"}};
  for (const auto& [name, text] : shown) {
    EXPECT_EQ(b.find<QComboBox>(name)->currentText(), Q(text)) << name;
  }

  // Run the motor up from the widgets and watch the speed arrive.
  ClickTab(b, 1);
  for (int i = 0; i < 8; ++i) QTest::keyClick(b.find("SldPower"), Qt::Key_PageUp);
  ASSERT_TRUE(b.runUntil([&] { return b.find<QLabel>("TxtRev")->text() != Q("0"); }, Ms(3000)));
  EXPECT_EQ(b.find<QLabel>("TxtRev")->text(), QString::fromStdString(b.c().TxtRev.text()));

  // The ESC goes away: three missed replies and the view shows the link down.
  b.line.detachEsc(1);
  ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Unconnected"; }, Ms(3000)));
  EXPECT_EQ(b.find<QLabel>("TxtConnState")->text(), Q("Unconnected"));
  EXPECT_EQ(b.find<QLabel>("TxtHardVer")->text(), Q("Unknown"));
  EXPECT_EQ(b.find<QSlider>("SldPower")->value(), 0);
  EXPECT_EQ(b.find<QLabel>("TxtRev")->text(), Q("0"));
}

TEST(Binding, PortListCarriesTheToolTipsItIsGiven) {
  WindowBench b;
  for (int n : {3, 7}) b.line.addPort(n);
  b.form.Load();
  b.view.setPortToolTips([](int port) { return QStringLiteral("/dev/ttyUSB%1").arg(port); },
                         QStringLiteral("no port"));
  auto* box = b.find<QComboBox>("CombPort");
  EXPECT_EQ(box->itemData(0, Qt::ToolTipRole).toString(), Q("/dev/ttyUSB3"));
  EXPECT_EQ(box->itemData(1, Qt::ToolTipRole).toString(), Q("/dev/ttyUSB7"));
  EXPECT_EQ(box->toolTip(), Q("/dev/ttyUSB3"));
  QTest::keyClick(box, Qt::Key_Down);
  EXPECT_EQ(box->toolTip(), Q("/dev/ttyUSB7"));

  WindowBench empty;
  empty.view.setPortToolTips([](int) { return QString(); }, QStringLiteral("no port"));
  empty.form.Load();
  EXPECT_EQ(empty.find<QComboBox>("CombPort")->toolTip(), Q("no port"));
}

TEST(Binding, AViewGoneBeforeTheLogicLeavesNothingBehind) {
  WindowBench b;
  b.form.Load();
  { FormView second(b.form); }
  // The gone view's mirrors must not run (AddressSanitizer sees it if they do).
  b.c().TxtConnState.setText("Connected");
  b.c().SldPower.setValue(5);
  EXPECT_EQ(b.find<QSlider>("SldPower")->value(), 5);
}

TEST(Binding, ClosingTheWindowShutsTheLinkDown) {
  WindowBench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.view.show();
  EXPECT_TRUE(b.view.close());
  EXPECT_FALSE(b.line.portOpen());
  EXPECT_FALSE(b.timer1.enabled());
  EXPECT_FALSE(b.timer2.enabled());
}

// Renders both tabs for reviewers, connected to a simulated ESC with the motor running.
TEST(Render, BothTabsToPngFiles) {
  WindowBench b;
  b.line.attachEsc(1, b.esc);
  b.line.addPort(4);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.view.show();
  const QDir shots(QStringLiteral(MORVANE_SHOTS_DIR));
  ASSERT_TRUE(shots.mkpath(QStringLiteral(".")));

  const QPixmap config = b.view.grab();
  EXPECT_EQ(config.size(), QSize(381, 463));
  EXPECT_TRUE(config.save(shots.filePath(QStringLiteral("config-tab.png"))));

  ClickTab(b, 1);
  for (int i = 0; i < 6; ++i) QTest::keyClick(b.find("VSlPole"), Qt::Key_Up);
  for (int i = 0; i < 12; ++i) QTest::keyClick(b.find("SldPower"), Qt::Key_PageUp);
  b.clock.runFor(Ms(3000));
  const QPixmap run = b.view.grab();
  EXPECT_EQ(run.size(), QSize(381, 463));
  EXPECT_TRUE(run.save(shots.filePath(QStringLiteral("run-tab.png"))));
}

}  // namespace
}  // namespace morvane::test

// SPDX-License-Identifier: GPL-3.0-or-later
// The real shell (QSerialPort, QTimer, the Qt event loop and the window offscreen) against
// morvane-esc-sim on a pseudo-terminal.
#include <signal.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTest>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "raise_throttle.h"
#include "shell_fixture.h"
#include "sim_session.h"

namespace morvane::e2e {
namespace {

std::vector<int> Selections(Controls& c) {
  return {c.CombCutOffV.listIndex(), c.CombCutOffT.listIndex(), c.CombBrake.listIndex(),
          c.CombTiming.listIndex(), c.CombDir.listIndex()};
}

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST(ShellEndToEnd, ConnectsShowsTheModelAndReadsTheFiveSettings) {
  struct Case {
    std::vector<std::string> simOptions;
    std::string hardware;
    std::string firmware;
    std::vector<int> selections;  // cutoff V, cutoff type, brake, timing, direction
  };
  const std::vector<Case> cases = {
      {{}, "MORVANE QR-18A V1.003", "V1.234", {1, 1, 0, 1, 0}},
      {{"--echo", "--settings", "4,2,3,1,2"}, "MORVANE QR-18A V1.003", "V1.234", {3, 0, 1, 2, 1}},
      {{"--echo", "--noise", "--split", "5", "--hardware", "7500", "--firmware", "25", "--settings",
        "8,1,1,2,1"},
       "MORVANE QR-5A V1.000",
       "V0.025",
       {7, 1, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SimSession sim(c.simOptions);
    ASSERT_TRUE(sim.ready());
    Shell shell(sim.link());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
          return shell.connected() && sim.framesStartingWith("41 53 02").size() >= 5 &&
                 Selections(shell.controls()) == c.selections;
        },
        5000))
        << shell.controls().TxtConnState.text();
    EXPECT_EQ(shell.controls().TxtHardVer.text(), c.hardware);
    EXPECT_EQ(shell.controls().TxtFirmVer.text(), c.firmware);

    // Read in the order of the panel, once each; the ESC's values win, nothing is written.
    EXPECT_EQ(sim.framesStartingWith("41 53 02"),
              (std::vector<std::string>{"41 53 02 00", "41 53 02 03", "41 53 02 01", "41 53 02 02",
                                        "41 53 02 04"}));
    EXPECT_TRUE(sim.framesStartingWith("41 53 03").empty());
  }
}

TEST(ShellEndToEnd, AUsersPickReachesTheEscAsExactlyOneWrite) {
  SimSession sim({"--echo"});
  ASSERT_TRUE(sim.ready());
  Shell shell(sim.link());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return shell.connected() && shell.controls().CombCutOffV.listIndex() == 1; }, 5000));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return sim.framesStartingWith("41 53 02").size() == 5; }, 5000));

  // The keyboard on the real combo box: two steps down from "5.6V *" is "7.2V".
  auto* box = shell.view.findChild<QComboBox*>("CombCutOffV");
  ASSERT_NE(box, nullptr);
  QTest::keyClick(box, Qt::Key_Down);
  QTest::keyClick(box, Qt::Key_Down);
  EXPECT_EQ(shell.controls().CombCutOffV.listIndex(), 3);

  ASSERT_TRUE(QTest::qWaitFor([&] { return !sim.framesStartingWith("41 53 03").empty(); }, 5000));
  // Several more polls go by, and none of them writes again.
  const std::size_t seen = sim.frames().size();
  ASSERT_TRUE(QTest::qWaitFor([&] { return sim.frames().size() >= seen + 5; }, 5000));
  EXPECT_EQ(sim.framesStartingWith("41 53 03"), std::vector<std::string>{"41 53 03 00 04"});
  EXPECT_EQ(shell.controls().CombCutOffV.listIndex(), 3);
  EXPECT_EQ(box->currentText().toStdString(), "7.2V");
}

TEST(ShellEndToEnd, SimulatorKilledShowsUnconnectedGoesQuietAndReconnectsWhenPicked) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  Shell shell(sim.link());
  ASSERT_TRUE(QTest::qWaitFor([&] { return shell.connected(); }, 5000));

  sim.process().signal(SIGKILL);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !shell.connected(); }, 5000));
  EXPECT_EQ(shell.controls().TxtConnState.text(), "Unconnected");
  EXPECT_EQ(shell.controls().TxtHardVer.text(), "Unknown");
  EXPECT_EQ(shell.controls().TxtFirmVer.text(), "Unknown");
  EXPECT_FALSE(shell.comm.portOpen());
  EXPECT_EQ(shell.controls().CombPort.listCount(), 1);  // the entry stays, to be picked again

  // A busy loop on a dead port would show here; an idle window uses next to nothing.
  const double cpuBefore = CpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  QTest::qWait(2000);
  const double cpu = CpuSeconds() - cpuBefore;
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();
  EXPECT_LT(cpu / wall, 0.2) << cpu << " s of CPU in " << wall << " s";
  EXPECT_FALSE(shell.timer1.enabled());
  EXPECT_FALSE(shell.timer2.enabled());

  // The ESC is back on the same device: picking its entry again connects. The killed
  // simulator's link goes first: its terminal's number may already be another terminal's,
  // and a simulator refuses a link to a live one.
  std::filesystem::remove(sim.link());
  SimSession again({}, sim.link());
  ASSERT_TRUE(again.ready());
  shell.controls().CombPort.setListIndex(0);
  EXPECT_TRUE(shell.comm.portOpen());
  EXPECT_TRUE(QTest::qWaitFor([&] { return shell.connected(); }, 5000));
}

TEST(ShellEndToEnd, ClosingTheWindowWithTheMotorRunningStopsItBeforeTheLineCloses) {
  SimSession sim;
  ASSERT_TRUE(sim.ready());
  Shell shell(sim.link());
  ASSERT_TRUE(QTest::qWaitFor([&] { return shell.connected(); }, 5000));

  shell.controls().TabStrip1.clickTab(2);
  test::RaiseThrottle(shell.controls().SldPower, 60);
  ASSERT_EQ(shell.controls().SldPower.value(), 60);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !sim.framesStartingWith("41 53 04 3c").empty(); }, 5000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !sim.framesStartingWith("41 53 05").empty(); }, 5000));

  shell.view.close();
  EXPECT_FALSE(shell.comm.portOpen());
  ASSERT_TRUE(QTest::qWaitFor([&] { return sim.frames().back() == "41 53 04 00"; }, 2000))
      << sim.frames().back();
}

}  // namespace
}  // namespace morvane::e2e

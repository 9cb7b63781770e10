// SPDX-License-Identifier: GPL-3.0-or-later
// Ports that follow the hardware, end to end: the program starts with a listed path where
// nothing is yet; morvane-esc-sim --link there plugs an ESC in, killing it pulls it out, and
// a new simulator on the same path plugs it in again. Nobody touches the port list.
#include <signal.h>
#include <stdlib.h>

#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <string>

#include "child_process.h"
#include "raise_throttle.h"
#include "shell_fixture.h"
#include "sim_session.h"
#include "temp_dir.h"

namespace morvane::e2e {
namespace {

// A folder of the test's own, for the listed path; empty until a simulator links it.
struct ListedPath {
  test::TempDir temp{"morvane-hotplug"};
  std::string dir = temp.path();
  std::string path = dir + "/esc";
};

TEST(HotPlugEndToEnd, AnEscPluggedInConnectsAndReconnectsAfterItWasPulledOut) {
  ListedPath listed;
  ASSERT_FALSE(listed.dir.empty());
  Shell shell(Shell::Watched{listed.path});
  ASSERT_TRUE(shell.hotPlug->watching());
  EXPECT_EQ(shell.controls().CombPort.listCount(), 0);

  auto sim = std::make_unique<SimSession>(std::vector<std::string>{}, listed.path);
  ASSERT_TRUE(sim->ready());
  ASSERT_TRUE(QTest::qWaitFor([&] { return shell.connected(); }, 10000));
  EXPECT_EQ(shell.controls().CombPort.listCount(), 1);
  EXPECT_EQ(shell.controls().CombPort.list(0), "COM1");
  // The motor runs when the adapter is pulled.
  shell.controls().TabStrip1.clickTab(2);
  test::RaiseThrottle(shell.controls().SldPower, 60);
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return !sim->framesStartingWith("41 53 04 3c").empty(); }, 5000));

  sim->process().signal(SIGKILL);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !shell.connected(); }, 10000));
  EXPECT_EQ(shell.controls().TxtConnState.text(), "Unconnected");
  EXPECT_EQ(shell.controls().CombPort.listCount(), 1);  // awaited back

  // Unplugged: the killed simulator's link goes (its terminal's number may already be another
  // terminal's, and a simulator refuses a link to a live one).
  std::filesystem::remove(listed.path);
  SimSession again({}, listed.path);
  ASSERT_TRUE(again.ready());
  ASSERT_TRUE(QTest::qWaitFor([&] { return shell.connected(); }, 10000));
  // The line starts again with the handshake, and the motor with throttle 0.
  EXPECT_FALSE(again.framesStartingWith("41 53 01").empty());
  const std::size_t seen = again.frames().size();
  ASSERT_TRUE(QTest::qWaitFor([&] { return again.frames().size() >= seen + 10; }, 5000));
  for (const std::string& frame : again.framesStartingWith("41 53 04")) {
    EXPECT_EQ(frame, "41 53 04 00");
  }
}

TEST(HotPlugEndToEnd, TheProgramFindsAnEscPluggedInAfterItStartedAndOneThatCameBack) {
  ListedPath listed;
  ASSERT_FALSE(listed.dir.empty());
  ChildProcess app(ConfigProgram(), {},
                   {{"MORVANE_ESC_PORTS", listed.path}, {"QT_QPA_PLATFORM", "offscreen"}});
  ASSERT_TRUE(app.started());
  // Past the start-up scan, which found nothing.
  QTest::qWait(1500);

  auto sim = std::make_unique<SimSession>(std::vector<std::string>{}, listed.path);
  ASSERT_TRUE(sim->ready());
  ASSERT_TRUE(WaitFor([&] { return sim->framesStartingWith("41 53 02").size() == 5; }, 10000))
      << app.errorOutput();
  sim->process().signal(SIGKILL);
  sim.reset();
  std::filesystem::remove(listed.path);  // unplugged, as above

  SimSession again({}, listed.path);
  ASSERT_TRUE(again.ready());
  ASSERT_TRUE(WaitFor([&] { return again.framesStartingWith("41 53 02").size() == 5; }, 10000))
      << app.errorOutput();

  app.signal(SIGTERM);
  EXPECT_EQ(app.wait(5000), 0) << app.errorOutput();
}

}  // namespace
}  // namespace morvane::e2e

// SPDX-License-Identifier: GPL-3.0-or-later
// Adapters plugged and pulled while the program runs: the port list follows them, numbers
// stay, the selection is left alone, and a pulled adapter that comes back is opened again.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench.h"
#include "count_clicks.h"
#include "two_escs.h"
#include "ports/link_status.h"
#include "ports/port_numbers.h"
#include "raise_throttle.h"

namespace morvane::test {
namespace {

std::vector<std::string> Entries(Controls& c) {
  std::vector<std::string> texts;
  for (const auto& e : c.CombPort.entries()) texts.push_back(e.text);
  return texts;
}

TEST(PortNumbers, ADeviceKeepsItsNumberAndNewOnesTakeTheLowestNeverUsed) {
  PortNumbers system({"usb-A", "usb-B", "", "ttyS0"}, false);
  EXPECT_EQ(system.numberFor("usb-B"), 2);
  EXPECT_EQ(system.numberFor("usb-C"), 3);  // the free place start-up left
  EXPECT_EQ(system.numberFor("usb-D"), 5);
  EXPECT_EQ(system.numberFor("usb-C"), 3);  // back again: the same number
  EXPECT_EQ(system.numberOf("usb-E"), 0);
  for (int i = 0; i < 11; ++i) system.numberFor("more-" + std::to_string(i));
  EXPECT_EQ(system.numberOf("more-10"), 16);
  EXPECT_EQ(system.numberFor("one-too-many"), 0);

  PortNumbers listed({"/tmp/escA", "", "/dev/ttyUSB0"}, true);
  EXPECT_EQ(listed.numberFor("/dev/ttyUSB0"), 3);
  EXPECT_EQ(listed.numberFor("/dev/ttyUSB1"), 0);  // not listed: no entry
  EXPECT_EQ(listed.keyOf(1), "/tmp/escA");
}

TEST(HotPlug, AnAdapterPluggedInWithNoPortOpenIsSelectedAndConnects) {
  Bench b;
  b.form.Load();
  ASSERT_EQ(b.c().CombPort.listCount(), 0);
  b.line.attachEsc(3, b.esc);
  b.form.PortAppeared(3);
  EXPECT_EQ(Entries(b.c()), std::vector<std::string>{"COM3"});
  EXPECT_EQ(b.c().CombPort.listIndex(), 0);
  EXPECT_EQ(b.s().openPort, 3);
  EXPECT_TRUE(b.connectAndRead());
}

TEST(HotPlug, NewEntriesTakeTheirPlaceInNumberOrderAndLeaveTheSelectionAlone) {
  Bench b;
  b.line.attachEsc(2, b.esc);
  b.line.addPort(5);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  const auto selections = CountClicks(b.c().CombPort);
  for (int n : {9, 1, 7}) {
    b.line.addPort(n);
    b.form.PortAppeared(n);
  }
  b.form.PortAppeared(5);  // already listed
  EXPECT_EQ(Entries(b.c()), (std::vector<std::string>{"COM1", "COM2", "COM5", "COM7", "COM9"}));
  EXPECT_EQ(b.c().CombPort.list(b.c().CombPort.listIndex()), "COM2");
  EXPECT_EQ(*selections, 0);
  EXPECT_EQ(b.conn(), "Connected");

  b.form.PortVanished(7);  // not open: its entry goes
  b.form.PortVanished(4);  // never listed: nothing
  EXPECT_EQ(Entries(b.c()), (std::vector<std::string>{"COM1", "COM2", "COM5", "COM9"}));
  EXPECT_EQ(b.c().CombPort.list(b.c().CombPort.listIndex()), "COM2");
  EXPECT_EQ(*selections, 0);
}

TEST(HotPlug, APulledAdapterKeepsItsEntryAndIsOpenedAgainWhenItIsBack) {
  for (const bool failureFirst : {true, false}) {
    SCOPED_TRACE(failureFirst ? "the port fails, then the device vanishes"
                              : "the device vanishes, then the port would fail");
    Bench b;
    b.line.attachEsc(1, b.esc);
    b.line.addPort(2);
    b.form.Load();
    ASSERT_TRUE(b.connectAndRead());
    b.c().TabStrip1.clickTab(2);
    RaiseThrottle(b.c().SldPower, 40);
    ASSERT_TRUE(b.runUntil([&] { return b.esc.throttle() == 40; }, Ms(500)));

    if (failureFirst) {
      b.line.unplug();
      b.form.PortVanished(1);
    } else {
      b.line.removePort(1);
      b.form.PortVanished(1);
      b.line.unplug();  // the port is closed already: nothing more happens
    }
    EXPECT_EQ(Entries(b.c()), (std::vector<std::string>{"COM1", "COM2"}));
    EXPECT_EQ(b.c().CombPort.listIndex(), 0);
    EXPECT_FALSE(b.line.portOpen());
    EXPECT_EQ(b.conn(), "Unconnected");
    EXPECT_EQ(b.c().TxtHardVer.text(), "Unknown");
    EXPECT_EQ(b.c().SldPower.value(), 0);
    b.clock.runFor(Ms(2000));
    EXPECT_EQ(b.clock.pendingEvents(), 0u);

    // Plugged in again: opened at once, found, and its motor commanded to 0.
    b.line.attachEsc(1, b.esc);
    b.takeFrames();
    b.form.PortAppeared(1);
    EXPECT_TRUE(b.line.portOpen());
    ASSERT_TRUE(b.connectAndRead());
    EXPECT_EQ(b.takeFrames().back(), (Bytes{0x41, 0x53, 0x04, 0x00}));
    EXPECT_EQ(b.esc.throttle(), 0);
  }
}

TEST(HotPlug, APulledAdapterIsNotOpenedAgainOnceTheUserPickedAnotherPort) {
  TwoEscs<Bench> b;
  ASSERT_TRUE(b.connectAndRead());
  b.line.unplug();
  b.form.PortVanished(1);
  b.c().CombPort.setListIndex(1);
  ASSERT_TRUE(b.connectAndRead());
  const int opens = b.line.openAttempts(1);
  b.line.attachEsc(1, b.esc);
  b.form.PortAppeared(1);
  EXPECT_EQ(b.line.openAttempts(1), opens);
  EXPECT_EQ(b.s().openPort, 2);
  EXPECT_EQ(b.conn(), "Connected");
  b.form.PortVanished(1);  // no longer awaited: an idle device like any other
  EXPECT_EQ(Entries(b.c()), std::vector<std::string>{"COM2"});
}

TEST(HotPlug, ADeviceThatFailedToOpenComesBackAsAnEntry) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.line.addPort(2);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.line.removePort(2);
  b.c().CombPort.setListIndex(1);  // fails: removed, COM1 opened again
  EXPECT_EQ(Entries(b.c()), std::vector<std::string>{"COM1"});
  b.line.addPort(2);
  b.form.PortAppeared(2);
  EXPECT_EQ(Entries(b.c()), (std::vector<std::string>{"COM1", "COM2"}));
  EXPECT_EQ(b.s().openPort, 1);
}

TEST(HotPlug, EachPortThatFailsInASelectionIsToldOnceWithItsReason) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.line.addPort(2);
  b.line.addPort(3);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  b.line.refuseOpen(3, {OpenFailure::Kind::PermissionDenied, "dialout"});
  b.line.refuseOpen(2, {OpenFailure::Kind::InUse, "minicom"});
  int told = 0;
  b.form.portsFailed.connect([&] { ++told; });

  b.c().CombPort.setListIndex(2);  // COM3, then COM2 fail; COM1 opens
  EXPECT_EQ(told, 1);
  const auto device = [](int n) { return n == 3 ? std::string("/dev/ttyUSB1") : std::string(); };
  EXPECT_EQ(FailureBalloon(b.form.openFailures(), device),
            "COM3 (/dev/ttyUSB1): permission denied. Your user may not open it: sudo usermod "
            "-aG dialout $USER, then log out and in again.\n"
            "COM2: in use by another program (minicom). Close it, then pick the port again.");
  EXPECT_EQ(b.s().openPort, 1);
  EXPECT_TRUE(b.form.linkStatus().lastFailures.empty());  // a port opened after them

  b.line.refuseOpen(1, {OpenFailure::Kind::Other, "Input/output error"});
  b.form.OnPortFailed();
  b.c().CombPort.setListIndex(0);
  EXPECT_EQ(told, 2);
  EXPECT_EQ(b.form.linkStatus().state, LinkStatus::State::NoPort);
  ASSERT_EQ(b.form.linkStatus().lastFailures.size(), 1u);
  EXPECT_EQ(FailureText(b.form.linkStatus().lastFailures[0], {}),
            "COM1: could not be opened: Input/output error.");
}

TEST(HotPlug, TheStatusTipSaysWhatTheLinkDoesAndSince) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  const auto clock = [](std::int64_t ms) { return "t" + std::to_string(ms); };
  const auto device = [](int) { return std::string("/dev/ttyUSB0, FT232R USB UART"); };
  const auto tip = [&] { return StatusTip(b.form.linkStatus(), clock, device); };
  EXPECT_EQ(tip(), "No port is open: pick one in the Port list.");
  b.form.Load();
  EXPECT_EQ(tip().rfind("No answer from an ESC on COM1 (/dev/ttyUSB0, FT232R USB UART) since t0.", 0),
            0u);
  ASSERT_TRUE(b.connectAndRead());
  const std::int64_t connectedAt = b.form.linkStatus().sinceMs;
  EXPECT_GT(connectedAt, 100);
  EXPECT_EQ(tip(), "Connected since t" + std::to_string(connectedAt) +
                       " on COM1 (/dev/ttyUSB0, FT232R USB UART).");
  b.line.detachEsc(1);
  ASSERT_TRUE(b.runUntil([&] { return b.conn() == "Unconnected"; }, Ms(2000)));
  EXPECT_EQ(tip().rfind("No answer from an ESC on COM1 (/dev/ttyUSB0, FT232R USB UART) since t" +
                            std::to_string(b.clock.elapsedMs()) + ". Check",
                        0),
            0u);
  b.clock.runFor(Ms(500));
  b.line.unplug();
  EXPECT_EQ(tip(), "The adapter of COM1 (/dev/ttyUSB0, FT232R USB UART) was unplugged at t" +
                       std::to_string(b.clock.elapsedMs()) +
                       ". The port opens again by itself when it is back.");
}

// The window passes its language: each sentence is looked up whole under "LinkStatus" and its
// parts put in where the translation places them, once (a device named "%1" stays so).
TEST(HotPlug, TheStatusTipAndTheFailuresComeInTheWindowsLanguage) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  const auto clock = [](std::int64_t ms) { return "t" + std::to_string(ms); };
  const auto device = [](int) { return std::string("/dev/%1"); };
  std::vector<std::string> asked;
  const TranslateText reversed = [&asked](const char* context, const char* english) {
    asked.push_back(std::string(context) + ": " + english);
    const std::string text = english;
    if (text == "Connected since %1 on %2.") return std::string("On %2 since %1.");
    if (text == "Could not open %1") return std::string("Not opened: %1");
    if (text == "could not be opened: %1.") return std::string("not opened (%1).");
    return text;
  };
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  LinkStatus status = b.form.linkStatus();
  status.lastFailures = {{2, {OpenFailure::Kind::Other, "Input/output error"}}};
  EXPECT_EQ(StatusTip(status, clock, device, reversed),
            "On COM1 (/dev/%1) since t" + std::to_string(status.sinceMs) +
                ".\nNot opened: COM2 (/dev/%1): not opened (Input/output error).");
  EXPECT_EQ(asked, (std::vector<std::string>{"LinkStatus: Connected since %1 on %2.",
                                             "LinkStatus: could not be opened: %1.",
                                             "LinkStatus: Could not open %1"}));
  // Without a language: the English the logs and the command line get.
  EXPECT_EQ(StatusTip(status, clock, device),
            "Connected since t" + std::to_string(status.sinceMs) +
                " on COM1 (/dev/%1).\nCould not open COM2 (/dev/%1): could not be opened: "
                "Input/output error.");
}

}  // namespace
}  // namespace morvane::test

// SPDX-License-Identifier: GPL-3.0-or-later
// The log of whole sessions at the bench: the port, the frames, the replies and the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "log_bench.h"
#include "supportlog/frame_text.h"

namespace morvane::test {
namespace {

TEST(SessionLog, AConnectionReadsAsFramesRepliesAndTheEscItFound) {
  LogBench b;
  ASSERT_TRUE(b.connect());
  EXPECT_TRUE(InOrder(b.texts(), {
                                     "COM1 (/dev/esc) opened",
                                     "sent PING: 41 53 00",
                                     "received reply to PING 59",
                                     "sent GET_VERSION: 41 53 01",
                                     "received reply to GET_VERSION 59 1f 25 d2 04",
                                     "Connected MORVANE QR-18A V1.003 V1.234",
                                     "sent READ_PARAM cutoffVoltage: 41 53 02 00",
                                     "received reply to READ_PARAM 59 02",
                                     "Cutoff voltage on the ESC: 5.6V",
                                     "sent SET_THROTTLE 0: 41 53 04 00",
                                 }));
  // A reply of one byte comes in one piece, also after a line told within a notification
  // ("Connected", a setting the ESC reported).
  const std::regex pieces(R"(received reply to \S+ 59 \(in \d+ pieces\))");
  for (const std::string& line : b.texts()) EXPECT_FALSE(std::regex_match(line, pieces)) << line;
}

TEST(SessionLog, BytesOfOneNotificationShareALineNamedByWhatTheyAre) {
  LogBench b;
  b.line.setEcho(true);
  b.line.setShaper([](const std::vector<std::uint8_t>& reply) {
    // The reply arrives in one piece, after a byte of noise.
    std::vector<std::uint8_t> bytes = {0x00};
    bytes.insert(bytes.end(), reply.begin(), reply.end());
    return std::vector<sim::ReplyChunk>{{0, bytes}};
  });
  ASSERT_TRUE(b.connect());
  EXPECT_TRUE(InOrder(
      b.texts(), {"sent PING: 41 53 00", "received echo 41 53 00, stray 00, reply to PING 59"}));
}

TEST(SessionLog, ALostEscShowsEachMissTheStopFrameAndWhyItWasLost) {
  LogBench b;
  ASSERT_TRUE(b.connect());
  b.line.detachEsc(1);
  ASSERT_TRUE(b.runUntil([&] { return b.c().TxtConnState.text() == "Unconnected"; }, Ms(2000)));
  EXPECT_TRUE(
      InOrder(b.texts(), {"no reply in time: miss 1 of 3", "no reply in time: miss 2 of 3",
                          "no reply in time: miss 3 of 3", "sent SET_THROTTLE 0: 41 53 04 00",
                          "Unconnected: the ESC was lost after 3 misses"}));
}

TEST(SessionLog, TheUsersPicksAreToldApartFromWhatTheEscReports) {
  LogBench b;
  ASSERT_TRUE(b.connect());
  b.c().CombBrake.setListIndex(1);
  b.c().TabStrip1.clickTab(2);
  b.c().SldPower.setValue(5);
  ASSERT_TRUE(b.runUntil([&] { return b.esc.throttle() == 5; }, Ms(2000)));
  // One Escape that reaches the key filter twice.
  b.form.OnStopKey();
  b.form.OnStopKey();
  EXPECT_TRUE(InOrder(
      b.texts(), {"Brake on the ESC: Disable", "Brake picked: Enable", "Tab Run", "Throttle 5",
                  "sent WRITE_PARAM brake=2: 41 53 03 01 02", "Brake on the ESC: Enable",
                  "sent SET_THROTTLE 5: 41 53 04 05", "Stop key: throttle to 0", "Throttle 0"}));
  const auto texts = b.texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Stop key: throttle to 0"), 1);
}

TEST(SessionLog, BytesNobodyAwaitedAreToldWhenTheNextFrameDropsThem) {
  LogBench b;
  ASSERT_TRUE(b.connect());
  b.clock.runFor(Ms(20));  // between polls: nothing is awaited
  b.line.inject({0x12, 0x34});
  b.clock.runFor(Ms(200));
  EXPECT_TRUE(InOrder(b.texts(), {"dropped unread: stray 12 34", "sent PING: 41 53 00"}));
  // A flood is shown in part and counted.
  b.clock.runFor(Ms(20));
  b.line.inject(Bytes(70, 0x12));
  b.clock.runFor(Ms(200));
  std::string shown = "dropped unread: stray 12";
  for (int i = 1; i < 64; ++i) shown += " 12";
  const auto texts = b.texts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), shown + " and 6 bytes more"), 1);
}

// The names and entries come from the settings' table; the panel lists the same texts.
TEST(SessionLog, EachEntryOfEachSettingIsToldAsThePanelListsIt) {
  LogBench b;
  ASSERT_TRUE(b.connect());
  const char* names[] = {"Cutoff voltage", "Cutoff type", "Brake", "Timing advance",
                         "Rotation direction"};
  std::vector<std::string> expected;
  for (int i = 0; i < kSettingCount; ++i) {
    const ComboBox& box = b.c().setting(i);
    for (int k = 0; k < box.listCount(); ++k) {
      if (k != box.listIndex()) expected.push_back(std::string(names[i]) + " picked: " + box.list(k));
      ASSERT_TRUE(b.form.pickSetting(i, k));
    }
  }
  const auto texts = b.texts();
  for (const std::string& line : expected) {
    EXPECT_EQ(std::count(texts.begin(), texts.end(), line), 1) << line;
  }
}

TEST(SessionLog, PortsThatFailSayWhy) {
  LogBench b;
  b.line.addPort(2);
  b.line.refuseOpen(2, {OpenFailure::Kind::PermissionDenied, "dialout"});
  ASSERT_TRUE(b.connect());
  b.line.unplug();
  EXPECT_TRUE(InOrder(b.texts(), {"COM2 did not open: permission denied. Your user may not open "
                                  "it: sudo usermod -aG dialout $USER, then log out and in again.",
                                  "COM1 (/dev/esc) failed: the device went away",
                                  "Unconnected: the device went away"}));
}

TEST(SessionLog, APortClosedOnPurposeIsToldApartFromADeviceThatVanished) {
  LogBench b;
  b.line.addPort(2);
  ASSERT_TRUE(b.connect());
  b.form.PortVanished(1);  // as the device watcher tells it
  b.c().CombPort.setListIndex(b.c().CombPort.findItemData(2));
  b.esc.resetReceiver();
  b.line.attachEsc(2, b.esc);
  ASSERT_TRUE(b.runUntil([&] { return b.c().TxtConnState.text() == "Connected"; }, Ms(2000)));
  b.c().CombPort.setListIndex(b.c().CombPort.findItemData(1));
  EXPECT_TRUE(InOrder(
      b.texts(), {"COM1 (/dev/esc) closed", "Unconnected: the device went away", "Port COM2 picked",
                  "COM2 opened", "Connected MORVANE QR-18A V1.003 V1.234", "Port COM1 picked",
                  "sent SET_THROTTLE 0: 41 53 04 00", "COM2 closed", "COM1 (/dev/esc) opened",
                  "Unconnected: another port opened"}));
}

TEST(SessionLog, PortsInARowThatFailAlikeShareALineThatAFlushWrites) {
  LogBench b;
  b.line.addPort(2);
  b.line.refuseOpen(2, {OpenFailure::Kind::InUse, "minicom"});
  b.load();
  const std::string rest = "COM3 to COM16 did not open: gone. Plug the adapter in again.";
  EXPECT_EQ(b.texts().back().rfind("COM2 did not open: in use by another program (minicom)", 0),
            0u);
  b.log.flush();
  EXPECT_EQ(b.texts().back(), rest);
}

// Pings on the wire, and those the log tells: one line each, or counted on a fold line.
struct PingCount {
  int wire = 0;
  int told = 0;
  std::vector<std::string> folds;
};

PingCount CountPings(const LogBench& b, const std::vector<std::string>& lines) {
  PingCount n;
  for (const auto& w : b.line.writes()) {
    n.wire += w.bytes == std::vector<std::uint8_t>{0x41, 0x53, 0x00};
  }
  for (const std::string& line : lines) {
    if (line == "sent PING: 41 53 00") ++n.told;
    if (line.starts_with("PING answered ")) {
      n.told += std::stoi(line.substr(14));
      n.folds.push_back(line);
    }
  }
  return n;
}

// Seconds from the first time of a fold line to its second ("00:01:02 to 00:02:01").
int FoldSeconds(const std::string& line) {
  auto seconds = [&](std::size_t at) {
    return std::stoi(line.substr(at, 2)) * 3600 + std::stoi(line.substr(at + 3, 2)) * 60 +
           std::stoi(line.substr(at + 6, 2));
  };
  const std::size_t from = line.find(", ") + 2;
  return seconds(from + 12) - seconds(from);
}

TEST(SessionLog, TenIdleMinutesWithAWriteInTheMiddleKeepTheWriteInFewLines) {
  LogBench b;
  std::vector<std::string> all;
  b.log.setSink([&](const LogLine& line) { all.push_back(line.text()); });
  ASSERT_TRUE(b.connect());
  b.clock.runFor(Ms(5 * 60'000));
  b.c().CombBrake.setListIndex(1);
  b.clock.runFor(Ms(5 * 60'000));
  b.log.flush();  // as before a save

  const auto kept = b.texts();
  EXPECT_LT(kept.size(), 100u);
  EXPECT_TRUE(InOrder(
      kept, {"PING answered ", "Brake picked: Enable", "sent WRITE_PARAM brake=2: 41 53 03 01 02",
             "received reply to WRITE_PARAM 59 02", "Brake on the ESC: Enable", "PING answered "}));
  EXPECT_TRUE(kept.back().starts_with("PING answered ")) << kept.back();

  const PingCount pings = CountPings(b, all);
  EXPECT_EQ(pings.told, pings.wire);
  EXPECT_GE(pings.folds.size(), 10u);
  const std::regex shape(
      R"(PING answered \d+ times, \d\d:\d\d:\d\d to \d\d:\d\d:\d\d, replies \d+( to \d+)? ms)");
  for (const std::string& fold : pings.folds) {
    EXPECT_TRUE(std::regex_match(fold, shape)) << fold;
    EXPECT_LE(FoldSeconds(fold), 61) << fold;
  }
}

// Only a ping answered as the one before is counted: whatever happens between two idle
// stretches is told line by line, also frames whose reply reads as a ping's.
struct BetweenCase {
  const char* name;
  std::function<void(LogBench&)> act;
  std::vector<std::string> told;
};

void PrintTo(const BetweenCase& c, std::ostream* os) {
  *os << c.name;
}

class NeverCounted : public ::testing::TestWithParam<BetweenCase> {};

TEST_P(NeverCounted, BetweenTwoCountedStretches) {
  LogBench b;
  std::vector<std::string> all;
  b.log.setSink([&](const LogLine& line) { all.push_back(line.text()); });
  ASSERT_TRUE(b.connect());
  b.clock.runFor(Ms(3000));
  ASSERT_TRUE(b.runUntil([&] { return QueueEmpty(b.form.state()); }, Ms(200)));
  GetParam().act(b);
  b.clock.runFor(Ms(3000));
  b.log.flush();

  std::vector<std::string> expected = {"PING answered "};
  expected.insert(expected.end(), GetParam().told.begin(), GetParam().told.end());
  expected.push_back("PING answered ");
  EXPECT_TRUE(InOrder(b.texts(), expected));
  const PingCount pings = CountPings(b, all);
  EXPECT_EQ(pings.told, pings.wire);
}

INSTANTIATE_TEST_SUITE_P(
    SessionLog, NeverCounted,
    ::testing::Values(
        // Just after a reply: the next ping goes unanswered, the one sent again is answered.
        BetweenCase{"AMiss",
                    [](LogBench& b) {
                      b.line.detachEsc(1);
                      b.clock.runFor(Ms(150));
                      b.esc.resetReceiver();
                      b.line.attachEsc(1, b.esc);
                    },
                    {"sent PING: 41 53 00", "no reply in time: miss 1 of 3", "sent PING: 41 53 00",
                     "received reply to PING 59"}},
        // One reply with a byte of noise before it.
        BetweenCase{"APingAnsweredOtherwise",
                    [](LogBench& b) {
                      b.line.setFaults({.noiseBytes = 1});
                      b.clock.runFor(Ms(150));
                      b.line.setFaults({});
                    },
                    {"sent PING: 41 53 00", "received stray "}},
        BetweenCase{
            "AWrite",
            [](LogBench& b) { b.c().CombBrake.setListIndex(1); },
            {"sent WRITE_PARAM brake=2: 41 53 03 01 02", "received reply to WRITE_PARAM 59 02"}},
        BetweenCase{"AThrottleAnsweredAsAPingIs",
                    [](LogBench& b) {
                      b.c().SldPower.setValue(5);
                      b.clock.runFor(Ms(1000));
                      b.c().SldPower.setValue(0);
                    },
                    {"sent SET_THROTTLE 5: 41 53 04 05", "received reply to SET_THROTTLE 59",
                     "sent SET_THROTTLE 0: 41 53 04 00", "received reply to SET_THROTTLE 59"}}),
    [](const auto& info) { return std::string(info.param.name); });

// The same session with and without the log: the same bytes at the same virtual times.
void Load(Bench& b) {
  b.form.Load();
}
void Load(LogBench& b) {
  b.load();
}

template <typename B>
std::vector<sim::VirtualSerialLine::Write> Session(B& b) {
  b.line.setEcho(true);
  b.line.setFaults(
      {.latencyMs = 1, .noiseBytes = 2, .splitAfter = 1, .splitGapMs = 5, .dropEvery = 4});
  b.line.addPort(1);
  b.line.attachEsc(1, b.esc);
  Load(b);
  b.clock.runFor(Ms(1500));
  b.c().CombTiming.setListIndex(3);
  b.c().TabStrip1.clickTab(2);
  b.c().SldPower.setValue(5);
  b.clock.runFor(Ms(1000));
  b.line.inject({0x59, 0x00, 0x41});
  b.clock.runFor(Ms(500));
  b.line.setFaults({.silent = true});
  b.clock.runFor(Ms(1500));
  // Replies just after the timeout: left unread while unconnected, dropped by the next ping.
  b.line.setEcho(false);
  b.line.setFaults({.latencyMs = 303});
  b.clock.runFor(Ms(1500));
  b.line.detachEsc(1);
  b.clock.runFor(Ms(1000));
  return b.line.writes();
}

TEST(SessionLog, LoggingChangesNoByteOnTheWireNorWhenItIsWritten) {
  Bench plain;
  LogBench logged;
  const auto expected = Session(plain);
  const auto actual = Session(logged);
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(actual[i].at, expected[i].at) << i;
    EXPECT_EQ(actual[i].bytes, expected[i].bytes) << i;
  }
  EXPECT_GT(logged.log.lines().size(), expected.size());
}

// A frame goes out before its line is written, and so does the frame whose clear dropped
// unread bytes: a slow log file never holds a frame back. Frames without a line of their own
// are pings counted as answered alike.
TEST(SessionLog, EveryFrameIsOnTheWireBeforeTheLogTellsOfIt) {
  LogBench b;
  std::size_t told = 0;  // frames on the wire that the log has told of or counted
  std::vector<std::string> early;
  std::vector<std::string> uncounted;
  b.log.setSink([&](const LogLine& line) {
    const auto& writes = b.line.writes();
    if (line.text().starts_with("sent ")) {
      while (told < writes.size() && "sent " + FrameText(writes[told].bytes) != line.text()) {
        if (writes[told].bytes != std::vector<std::uint8_t>{0x41, 0x53, 0x00}) {
          uncounted.push_back(FrameText(writes[told].bytes));
        }
        ++told;
      }
      if (told++ == writes.size()) early.push_back(line.text());
    }
    if (line.text().starts_with("dropped unread") && writes.size() <= told) {
      early.push_back(line.text());
    }
  });
  ASSERT_TRUE(b.connect());
  b.clock.runFor(Ms(20));
  b.line.inject({0x12, 0x34});
  b.clock.runFor(Ms(200));
  b.line.detachEsc(1);
  b.clock.runFor(Ms(1500));
  EXPECT_GT(told, 10u);
  EXPECT_EQ(early, std::vector<std::string>{});
  EXPECT_EQ(uncounted, std::vector<std::string>{});
}

}  // namespace
}  // namespace morvane::test

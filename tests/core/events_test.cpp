// SPDX-License-Identifier: GPL-3.0-or-later
// What the window's logic tells those who follow the ESC beside it: the connection as a
// value, the ESC found and lost with the cause, settings read and written, unknown models,
// the throttle commanded, speed samples, and the link's traffic as the link took it.
#include <gtest/gtest.h>

#include "bench.h"
#include "protocol/process_reply.h"
#include "raise_throttle.h"

namespace morvane::test {
namespace {

TEST(Events, AnEscIsFoundWithItsTextsAndLostWithTheCause) {
  struct Case {
    const char* name;
    std::function<void(Bench&)> lose;
    LossCause cause;
  };
  const Case cases[] = {
      {"silent", [](Bench& b) { b.line.detachEsc(1); }, LossCause::Misses},
      {"unplugged", [](Bench& b) { b.line.unplug(); }, LossCause::PortFailed},
      {"another port picked", [](Bench& b) { b.form.pickPort(2); }, LossCause::PortClosed},
  };
  for (const Case& c : cases) {
    Bench b;
    b.line.attachEsc(1, b.esc);
    b.line.addPort(2);
    std::vector<EscFound> found;
    std::vector<EscLost> lost;
    auto f = b.form.escFound.subscribe([&](const EscFound& e) { found.push_back(e); });
    auto l = b.form.escLost.subscribe([&](const EscLost& e) {
      EXPECT_EQ(b.form.connection(), Connection::Unconnected) << c.name;
      lost.push_back(e);
    });
    b.form.Load();
    EXPECT_EQ(b.form.connection(), Connection::Unconnected);
    ASSERT_TRUE(b.connectAndRead()) << c.name;
    ASSERT_EQ(found.size(), 1u) << c.name;
    EXPECT_EQ(found[0].port, 1);
    EXPECT_EQ(found[0].model, "MORVANE QR-18A V1.003");
    EXPECT_EQ(found[0].firmware, "V1.234");
    EXPECT_EQ(b.form.connection(), Connection::Connected);
    c.lose(b);
    b.clock.runFor(Ms(2000));
    ASSERT_EQ(lost.size(), 1u) << c.name;
    EXPECT_EQ(lost[0].port, 1) << c.name;
    EXPECT_EQ(lost[0].cause, c.cause) << c.name;
    EXPECT_FALSE(b.form.connectedEsc()) << c.name;
  }
}

TEST(Events, ReadsAndWritesAreReportedWithTheValueTheEscHolds) {
  Bench b;
  b.esc.setSetting(PARAM_BRAKE, 9);  // outside the list: reported all the same
  b.line.attachEsc(1, b.esc);
  std::vector<std::pair<int, int>> reads, writes;
  std::vector<std::uint16_t> unknown;
  auto r = b.form.settingReported.subscribe(
      [&](const SettingReport& s) { reads.emplace_back(s.setting, s.value); });
  auto w = b.form.settingConfirmed.subscribe(
      [&](const SettingReport& s) { writes.emplace_back(s.setting, s.value); });
  auto u = b.form.unknownModel.subscribe([&](std::uint16_t n) { unknown.push_back(n); });
  b.form.Load();
  ASSERT_TRUE(b.runUntil([&] { return reads.size() == 5; }, Ms(2000)));
  EXPECT_EQ(reads, (std::vector<std::pair<int, int>>{{0, 1}, {1, 1}, {2, 8}, {3, 1}, {4, 0}}));
  EXPECT_TRUE(b.form.pickSetting(3, 2));
  EXPECT_FALSE(b.form.pickSetting(3, 7));
  ASSERT_TRUE(b.runUntil([&] { return writes.size() == 2; }, Ms(1000)));
  // The brake outside its list is written over with the panel's entry, as the window does.
  EXPECT_EQ(writes, (std::vector<std::pair<int, int>>{{2, 0}, {3, 2}}));
  EXPECT_TRUE(unknown.empty());

  b.esc.setHardware(1);
  b.line.unplug();
  b.line.attachEsc(1, b.esc);
  b.form.PortAppeared(1);
  ASSERT_TRUE(b.runUntil([&] { return !unknown.empty(); }, Ms(2000)));
  EXPECT_EQ(unknown.front(), 1);
  EXPECT_EQ(b.form.connection(), Connection::Unconnected);
}

struct Traffic {
  std::vector<Bytes> frames;
  std::vector<ByteRead> read;
  std::vector<std::pair<Bytes, std::vector<ByteKind>>> dropped;
  std::vector<int> more;
};

TEST(Events, TheLinkTellsEachByteAsItTookIt) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.line.setEcho(true);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  Traffic t;
  std::function<void()> onFrame;
  std::function<void()> onReply;
  Link& link = b.form.link();
  auto f = link.frameWritten.subscribe([&](std::span<const std::uint8_t> frame) {
    t.frames.emplace_back(frame.begin(), frame.end());
    if (onFrame) onFrame();
  });
  auto r = link.byteRead.subscribe([&](const ByteRead& read) {
    t.read.push_back(read);
    if (read.replyComplete && onReply) onReply();
  });
  auto d = link.bytesDropped.subscribe([&](const BytesDropped& dropped) {
    t.dropped.emplace_back(Bytes(dropped.bytes.begin(), dropped.bytes.end()),
                           std::vector<ByteKind>(dropped.kinds.begin(), dropped.kinds.end()));
    t.more.push_back(dropped.more);
    EXPECT_EQ(dropped.command, CMD_PING);
  });
  const auto E = ByteKind::Echo, R = ByteKind::Reply, S = ByteKind::Stray;

  // A ping with its echo.
  ASSERT_TRUE(b.runUntil([&] { return !t.read.empty() && t.read.back().replyComplete; }, Ms(500)));
  EXPECT_EQ(t.frames, (std::vector<Bytes>{{0x41, 0x53, 0x00}}));
  EXPECT_EQ(t.read, (std::vector<ByteRead>{{0x41, E, CMD_PING, false},
                                           {0x53, E, CMD_PING, false},
                                           {0x00, E, CMD_PING, false},
                                           {0x59, R, CMD_PING, true}}));

  // Noise inside the echo: the echo is as long as the frame, so its last byte is stray, and
  // the 'Y' still starts the reply. Bytes that wait after a whole reply are dropped with the
  // next frame, as stray.
  t = {};
  bool noise = true;
  onFrame = [&] {
    if (std::exchange(noise, false)) b.line.inject({0x7e});
  };
  onReply = [&] {
    onReply = nullptr;
    b.line.inject(Bytes(70, 0x59));
  };
  ASSERT_TRUE(b.runUntil([&] { return !t.dropped.empty(); }, Ms(500)));
  EXPECT_EQ(t.read, (std::vector<ByteRead>{{0x41, E, CMD_PING, false},
                                           {0x7e, E, CMD_PING, false},
                                           {0x53, E, CMD_PING, false},
                                           {0x00, S, CMD_PING, false},
                                           {0x59, R, CMD_PING, true}}));
  EXPECT_EQ(t.dropped[0].first, Bytes(kDroppedShown, 0x59));
  EXPECT_EQ(t.dropped[0].second, std::vector<ByteKind>(kDroppedShown, S));
  EXPECT_EQ(t.more[0], 70 - kDroppedShown);

  // Read out for the listener or not, none of them is left for the next reply.
  t = {};
  ASSERT_TRUE(b.runUntil([&] { return !t.read.empty() && t.read.back().replyComplete; }, Ms(500)));
  EXPECT_EQ(t.read, (std::vector<ByteRead>{{0x41, E, CMD_PING, false},
                                           {0x53, E, CMD_PING, false},
                                           {0x00, E, CMD_PING, false},
                                           {0x59, R, CMD_PING, true}}));
}

TEST(Events, MissesAreCountedThenTheStopFrameGoesOutBeforeTheLoss) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  std::vector<std::string> seen;
  auto m = b.form.link().replyMissed.subscribe(
      [&](int n) { seen.push_back("miss " + std::to_string(n)); });
  auto f = b.form.link().frameWritten.subscribe([&](std::span<const std::uint8_t> frame) {
    if (std::equal(frame.begin(), frame.end(), kStopFrame.begin(), kStopFrame.end())) seen.push_back("stop");
  });
  auto l = b.form.escLost.subscribe([&](const EscLost&) { seen.push_back("lost"); });
  b.line.detachEsc(1);
  b.clock.runFor(Ms(2000));
  EXPECT_EQ(seen, (std::vector<std::string>{"miss 1", "miss 2", "miss 3", "stop", "lost"}));
}

TEST(Events, TheThrottleIsToldAsCommandedAndEachSpeedSampleWithItsPeriod) {
  Bench b;
  b.line.attachEsc(1, b.esc);
  b.form.Load();
  ASSERT_TRUE(b.connectAndRead());
  std::vector<int> commanded;
  auto t = b.form.throttleCommanded.subscribe([&](int v) { commanded.push_back(v); });
  int samples = 0;
  auto p = b.form.pollAnswered.subscribe([&](const PollAnswer& a) {
    if (!a.speed || !a.rpm || a.period <= 300) return;
    ++samples;
    EXPECT_EQ(*a.rpm, SpeedSample(a.period, a.poles));
  });
  b.form.moveThrottle(50);  // cut to one step
  EXPECT_EQ(commanded, (std::vector<int>{5}));
  RaiseThrottle(b.form, 40);
  ASSERT_TRUE(b.runUntil([&] { return samples >= 3; }, Ms(5000)));
  b.line.detachEsc(1);
  b.clock.runFor(Ms(2000));
  EXPECT_EQ(commanded, (std::vector<int>{5, 10, 15, 20, 25, 30, 35, 40, 0}));
  EXPECT_EQ(b.form.commandedThrottle(), 0);
}

}  // namespace
}  // namespace morvane::test

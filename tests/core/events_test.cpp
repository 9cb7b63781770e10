// SPDX-License-Identifier: GPL-3.0-or-later
// What the window's logic tells those who follow the ESC beside it: the connection as a
// value, the ESC found and lost with the cause, settings read and written, unknown models.
#include <gtest/gtest.h>

#include "bench.h"

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

}  // namespace
}  // namespace morvane::test

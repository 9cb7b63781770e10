// SPDX-License-Identifier: GPL-3.0-or-later
// The ring that keeps the last lines, and frames in words.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "supportlog/frame_text.h"
#include "supportlog/support_log.h"

namespace morvane {
namespace {

struct SetClock : Clock {
  std::int64_t ms = 0;
  std::int64_t elapsedMs() const override { return ms; }
};

std::vector<std::string> Texts(const SupportLog& log) {
  std::vector<std::string> out;
  for (const LogLine& line : log.lines()) out.push_back(line.text);
  return out;
}

TEST(SupportLogRing, KeepsTenMinutesAndDropsWhatIsOlderWhenALineIsAdded) {
  SetClock clock;
  SupportLog log(clock);
  log.add("first");
  clock.ms = 60'000;
  log.add("second");
  clock.ms = 600'000;
  log.add("third");
  EXPECT_EQ(Texts(log), (std::vector<std::string>{"first", "second", "third"}));
  clock.ms = 600'001;
  log.add("fourth");
  EXPECT_EQ(Texts(log), (std::vector<std::string>{"second", "third", "fourth"}));
}

TEST(SupportLogRing, KeepsAtMostAMegabyteAsSavedAndCountsWhatItHolds) {
  SetClock clock;
  SupportLog log(clock);
  const std::string text(998, 'x');  // 24 + 1 + 998 + 1 = 1024 bytes as saved
  for (int i = 0; i < 1024; ++i) log.add(text);
  EXPECT_EQ(log.lines().size(), 1024u);
  EXPECT_EQ(log.bytes(), 1024u * 1024u);
  log.add("y");
  EXPECT_EQ(log.lines().size(), 1024u);
  EXPECT_EQ(log.lines().back().text, "y");
  EXPECT_EQ(log.bytes(), 1023u * 1024u + 27u);
}

TEST(SupportLogRing, HandsEveryLineToTheSinkWithItsTime) {
  SetClock clock;
  SupportLog log(clock);
  std::vector<std::pair<std::int64_t, std::string>> seen;
  log.setSink([&](const LogLine& line) { seen.emplace_back(line.ms, line.text); });
  clock.ms = 5;
  log.add("a");
  clock.ms = 7;
  log.add("b");
  EXPECT_EQ(seen, (std::vector<std::pair<std::int64_t, std::string>>{{5, "a"}, {7, "b"}}));
}

struct FrameCase {
  const char* name;
  std::vector<std::uint8_t> frame;
  const char* text;
};

class FrameTextTest : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameTextTest, NamesTheCommandItsArgumentAndEveryByte) {
  EXPECT_EQ(FrameText(GetParam().frame), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameTextTest,
    ::testing::Values(
        FrameCase{"Ping", {0x41, 0x53, 0x00}, "PING: 41 53 00"},
        FrameCase{"Version", {0x41, 0x53, 0x01}, "GET_VERSION: 41 53 01"},
        FrameCase{"Read", {0x41, 0x53, 0x02, 0x03}, "READ_PARAM cutoffType: 41 53 02 03"},
        FrameCase{"Write", {0x41, 0x53, 0x03, 0x01, 0x02}, "WRITE_PARAM brake=2: 41 53 03 01 02"},
        FrameCase{"Throttle", {0x41, 0x53, 0x04, 0xc8}, "SET_THROTTLE 200: 41 53 04 c8"},
        FrameCase{"Speed", {0x41, 0x53, 0x05}, "GET_SPEED: 41 53 05"},
        FrameCase{"Unknown", {0x41, 0x53, 0x1f}, "command 0x1f: 41 53 1f"},
        FrameCase{"NoFrame", {0x00, 0xff}, "00 ff"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
// The ring that keeps the last lines, and frames in words.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "supportlog/frame_text.h"
#include "supportlog/line_end.h"
#include "supportlog/support_log.h"

namespace morvane {
namespace {

struct SetClock : Clock {
  std::int64_t ms = 0;
  std::int64_t elapsedMs() const override { return ms; }
};

std::vector<std::string> Texts(const SupportLog& log) {
  std::vector<std::string> out;
  for (const LogLine& line : log.lines()) out.push_back(line.text());
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

// The bytes a line's end takes in a saved log where these tests run: CR LF on Windows.
#if defined(_WIN32)
constexpr std::size_t kEndBytes = 2;
#else
constexpr std::size_t kEndBytes = 1;
#endif

TEST(SupportLogRing, KeepsAtMostAMegabyteAsSavedAndCountsWhatItHolds) {
  SetClock clock;
  SupportLog log(clock);
  const std::string text(999 - kEndBytes, 'x');  // 24 + 1 + text + end = 1024 bytes as saved
  for (int i = 0; i < 1024; ++i) log.add(text);
  EXPECT_EQ(log.lines().size(), 1024u);
  EXPECT_EQ(log.bytes(), 1024u * 1024u);
  log.add("y");
  EXPECT_EQ(log.lines().size(), 1024u);
  EXPECT_EQ(log.lines().back().text(), "y");
  EXPECT_EQ(log.bytes(), 1023u * 1024u + 26u + kEndBytes);
}

struct LineEndCase {
  const char* name;
  Platform platform;
  const char* end;
  const char* text;  // the three lines below as saved there
};

void PrintTo(const LineEndCase& c, std::ostream* os) {
  *os << c.name;
}

class LineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEnds, AreWhatTheSystemsOwnEditorExpects) {
  const LineEndCase& c = GetParam();
  EXPECT_EQ(TextLineEnd(c.platform), c.end);
  EXPECT_EQ(WithLineEnds("# head\n\n# ports\n", c.platform), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, LineEnds,
    ::testing::Values(LineEndCase{"Windows", Platform::Windows, "\r\n",
                                  "# head\r\n\r\n# ports\r\n"},
                      LineEndCase{"Linux", Platform::Linux, "\n", "# head\n\n# ports\n"},
                      LineEndCase{"MacOS", Platform::MacOS, "\n", "# head\n\n# ports\n"},
                      LineEndCase{"OtherUnix", Platform::OtherUnix, "\n", "# head\n\n# ports\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineEndsOfThisBuild, AreItsSystemsAndCountInWhatALineWeighs) {
  EXPECT_EQ(TextLineEnd().size(), kEndBytes);
  EXPECT_EQ(TextLineEnd(), kEndBytes == 2 ? "\r\n" : "\n");
  EXPECT_EQ(SavedSize(LogLine(0, "opened")), 24u + 1u + 6u + kEndBytes);
}

TEST(SupportLogRing, HandsEveryLineToTheSinkWithItsTime) {
  SetClock clock;
  SupportLog log(clock);
  std::vector<std::pair<std::int64_t, std::string>> seen;
  log.setSink([&](const LogLine& line) { seen.emplace_back(line.ms, line.text()); });
  clock.ms = 5;
  log.add("a");
  clock.ms = 7;
  log.add("b");
  EXPECT_EQ(seen, (std::vector<std::pair<std::int64_t, std::string>>{{5, "a"}, {7, "b"}}));
}

// Lines kept as bytes read out as the text they stand for, and weigh in the ring as that text
// does: a log of them keeps the same lines under any byte limit as a log of the texts.
TEST(SupportLogRing, RawLinesReadAndTrimAsTheirText) {
  using K = ByteKind;
  const auto E = K::Echo, R = K::Reply, S = K::Stray;
  std::string longRun = "received stray 13";
  for (int i = 1; i < 40; ++i) longRun += " 13";
  longRun += " (in 2 pieces)";
  const std::vector<std::uint8_t> strays(40, 0x13);
  const std::vector<K> strayKinds(40, S);
  struct Row {
    const char* name;
    LogLine line;
    std::string text;
  };
  const std::vector<Row> rows = {
      {"Sent", LogLine::Sent(0, std::vector<std::uint8_t>{0x41, 0x53, 0x03, 0x01, 0x02}),
       "sent WRITE_PARAM brake=2: 41 53 03 01 02"},
      {"SentUnknown", LogLine::Sent(0, std::vector<std::uint8_t>{0x41, 0x53, 0x1f}),
       "sent command 0x1f: 41 53 1f"},
      {"SentNoFrame", LogLine::Sent(0, std::vector<std::uint8_t>{0x00, 0xff}), "sent 00 ff"},
      {"ReplyInPieces",
       LogLine::Received(0, std::vector<std::uint8_t>{0x59}, std::vector<K>{R}, 0x00, 3),
       "received reply to PING 59 (in 3 pieces)"},
      {"EchoReplyStray",
       LogLine::Received(0, std::vector<std::uint8_t>{0x41, 0x53, 0x05, 0x59, 0x01, 0x02, 0x03, 0x13},
                         std::vector<K>{E, E, E, R, R, R, R, S}, 0x05, 1),
       "received echo 41 53 05, reply to GET_SPEED 59 01 02 03, stray 13"},
      {"ReplyToUnknown",
       LogLine::Received(0, std::vector<std::uint8_t>{0x59}, std::vector<K>{R}, 0x1f, 1),
       "received reply to command 0x1f 59"},
      {"TooLongToHold", LogLine::Received(0, strays, strayKinds, 0x00, 2), longRun},
      {"Dropped",
       LogLine(0, "dropped unread: " +
                      ReceivedText(std::vector<std::uint8_t>{0x59, 0x02}, std::vector<K>{R, R}, 0x02) +
                      " and 3 bytes more"),
       "dropped unread: reply to READ_PARAM 59 02 and 3 bytes more"},
      {"Text", LogLine(0, "COM1 (/dev/esc) opened"), "COM1 (/dev/esc) opened"},
  };
  std::size_t total = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.line.text(), row.text);
    EXPECT_EQ(row.line.textSize(), row.text.size());
    total += SavedSize(row.line);
  }
  // Sixteen rounds of the table: the ring grows, wraps and trims at every limit.
  SetClock clock;
  for (std::size_t limit = 0; limit <= 16 * total; limit += 97) {
    SCOPED_TRACE(limit);
    SupportLog raw(clock, {1'000'000, limit});
    SupportLog text(clock, {1'000'000, limit});
    for (int round = 0; round < 16; ++round) {
      for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::int64_t ms = round * 100 + static_cast<std::int64_t>(i);
        LogLine line = rows[i].line;
        line.ms = ms;
        raw.add(std::move(line));
        text.add(rows[i].text, ms);
        ASSERT_EQ(raw.bytes(), text.bytes());
        ASSERT_EQ(raw.lines().size(), text.lines().size());
      }
    }
    EXPECT_EQ(Texts(raw), Texts(text));
    EXPECT_EQ(raw.lines().front().ms, text.lines().front().ms);
  }
}

// Dropping one line for every three added, the ring grows while its oldest line is mid-storage.
TEST(SupportLogRing, KeepsLinesInOrderAsItGrowsAndWraps) {
  LogRing ring;
  std::int64_t oldest = 0;
  for (std::int64_t i = 0; i < 300; ++i) {
    ring.push_back(LogLine(i, std::to_string(i)));
    if (i % 3 == 2) {
      ring.pop_front();
      ++oldest;
    }
    std::int64_t want = oldest;
    for (const LogLine& line : ring) ASSERT_EQ(line.text(), std::to_string(want++)) << i;
    ASSERT_EQ(want, i + 1);
  }
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

// SPDX-License-Identifier: GPL-3.0-or-later
// The test build's sixth setting (MORVANE_TEST_EXTRA_SETTING), "testExtra" with the list Low,
// Mid, High and High the default, through every part that takes the settings from their
// table: a part that counts or lists the settings by hand misses it and fails here.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cli_bench.h"
#include "log_bench.h"
#include "settings/settings_history.h"

namespace morvane::test {
namespace {

constexpr int kSixth = 5;
static_assert(kSettingCount == 6 && kSettings[kSixth].paramId == kTestExtraParam);
constexpr std::size_t kSlot = kSixth;

constexpr int kLow = 0;
constexpr int kMid = 1;
constexpr int kHigh = 2;

// Frames as the wire carries them: parameter id 5, value byte = entry + 1.
const Bytes kReadSixth = {0x41, 0x53, 0x02, 0x05};
Bytes WriteSixth(int entry) { return {0x41, 0x53, 0x03, 0x05, static_cast<std::uint8_t>(entry + 1)}; }

// Connected, with the ESC's sixth parameter at `entry`, its settings read and the queue empty.
struct SixthBench : CliBench {
  explicit SixthBench(int entry = kHigh) {
    esc.setSetting(kTestExtraParam, static_cast<std::uint8_t>(entry + 1));
    line.attachEsc(1, esc);
  }
  bool connect() {
    form.Load();
    return connectAndRead();
  }
  std::vector<Bytes> sixthFrames() {
    std::vector<Bytes> out;
    for (const Bytes& frame : takeFrames()) {
      if (frame.size() > 3 && frame[3] == kTestExtraParam &&
          (frame[2] == CMD_READ_PARAM || frame[2] == CMD_WRITE_PARAM)) {
        out.push_back(frame);
      }
    }
    return out;
  }
};

TEST(SixthSetting, TheWindowHasItsBoxAndAConnectionReadsItIntoTheBox) {
  SixthBench b(kLow);
  const ComboBox& box = b.c().setting(kSixth);
  EXPECT_EQ(box.name(), "CombTestExtra");
  ASSERT_EQ(box.listCount(), 3);
  EXPECT_EQ(box.list(kHigh), "High *");
  ASSERT_TRUE(b.connect());
  EXPECT_EQ(b.sixthFrames(), std::vector<Bytes>{kReadSixth});
  EXPECT_EQ(b.s().deviceValue[kSlot], kLow);
  EXPECT_EQ(box.listIndex(), kLow);
  EXPECT_EQ(b.s().wantedValue[kSlot], kLow);
}

TEST(SixthSetting, APickIsWrittenOnceAndConfirmed) {
  SixthBench b;
  ASSERT_TRUE(b.connect());
  b.takeFrames();
  ASSERT_TRUE(b.form.pickSetting(kSixth, kMid));
  ASSERT_TRUE(b.runUntil([&] { return b.s().deviceValue[kSlot] == kMid; }, Ms(2000)));
  EXPECT_EQ(b.sixthFrames(), std::vector<Bytes>{WriteSixth(kMid)});
  EXPECT_EQ(b.esc.setting(kTestExtraParam), kMid + 1);
}

TEST(SixthSetting, RestoreDefaultWritesItsDefault) {
  SixthBench b(kLow);
  ASSERT_TRUE(b.connect());
  b.takeFrames();
  b.form.restoreDefaults();
  EXPECT_EQ(b.s().wantedValue[kSlot], kHigh);
  ASSERT_TRUE(b.runUntil([&] { return b.s().deviceValue[kSlot] == kHigh; }, Ms(2000)));
  EXPECT_EQ(b.sixthFrames(), std::vector<Bytes>{WriteSixth(kHigh)});
}

TEST(SixthSetting, UndoTakesItsChangeBack) {
  SixthBench b;
  SettingsHistory history{b.form};
  ASSERT_TRUE(b.connect());
  b.form.pickSetting(kSixth, kLow);
  ASSERT_TRUE(b.runUntil([&] { return QueueEmpty(b.s()) && history.canUndo(); }, Ms(2000)));
  EXPECT_EQ(history.undoText(), "Undo: testExtra Low \u2192 High");
  ASSERT_TRUE(history.undo());
  ASSERT_TRUE(b.runUntil([&] { return history.canRedo(); }, Ms(2000)));
  EXPECT_EQ(b.esc.setting(kTestExtraParam), kHigh + 1);
}

// Save writes what the ESC holds; the file's entries, read back, give the same values; a load
// of them writes the sixth setting to another ESC.
TEST(SixthSetting, ASettingsFileCarriesItFromOneEscToAnother) {
  SixthBench first(kMid);
  first.start(Request({"save", "six.json"}));
  ASSERT_TRUE(first.finished());
  ASSERT_TRUE(first.host.saved);
  const SettingValues saved = first.host.saved->values;
  EXPECT_EQ(saved[kSlot], kMid);

  std::vector<SettingEntry> entries;
  for (int i = 0; i < kSettingCount; ++i) {
    entries.push_back({kSettingNames[static_cast<std::size_t>(i)],
                       ChoiceText(i, saved[static_cast<std::size_t>(i)])});
  }
  const ParsedSettings read = ParseSettings(entries);
  ASSERT_EQ(read.error, "");
  EXPECT_EQ(read.values, saved);

  SixthBench second(kHigh);
  CliRequest load = Request({"load", "six.json"});
  load.targets = read.values;
  second.start(load);
  ASSERT_TRUE(second.finished());
  EXPECT_EQ(second.host.status, 0);
  EXPECT_EQ(second.esc.setting(kTestExtraParam), kMid + 1);
}

TEST(SixthSetting, AFileWithoutItLeavesItAloneAndOneWithABadValueNamesItsList) {
  const ParsedSettings without = ParseSettings({{"brake", "Enable"}});
  EXPECT_EQ(without.values[kSlot], kNotGiven);
  EXPECT_EQ(ParseSettings({{"testExtra", "Top"}}).error,
            "testExtra: \"Top\" is not allowed; allowed: Low, Mid, High");
  EXPECT_NE(ParseSettings({{"turbo", "on"}}).error.find("rotationDirection, testExtra"),
            std::string::npos);
}

TEST(SixthSetting, DiffListsIt) {
  SixthBench b(kHigh);
  CliRequest diff = Request({"diff", "six.json"});
  diff.targets = kNoSettings;
  diff.targets[kSlot] = kLow;
  b.start(diff);
  ASSERT_TRUE(b.finished());
  EXPECT_EQ(b.host.status, 6);
  EXPECT_EQ(b.host.out, std::vector<std::string>{"! testExtra: ESC High, file Low"});
}

TEST(SixthSetting, TheCommandLineWritesItAndReadsItLast) {
  SixthBench write;
  write.start(Request({"write", "testExtra=low"}));
  ASSERT_TRUE(write.finished());
  EXPECT_EQ(write.host.status, 0);
  EXPECT_EQ(write.host.out, std::vector<std::string>{"testExtra: High -> Low"});
  EXPECT_EQ(write.esc.setting(kTestExtraParam), kLow + 1);

  SixthBench read(kMid);
  read.start(Request({"read"}));
  ASSERT_TRUE(read.finished());
  ASSERT_FALSE(read.host.out.empty());
  EXPECT_EQ(read.host.out.back(), "testExtra: Mid");
}

TEST(SixthSetting, TheSupportLogNamesItAndItsFrames) {
  LogBench b;
  b.esc.setSetting(kTestExtraParam, kMid + 1);
  ASSERT_TRUE(b.connect());
  ASSERT_TRUE(b.form.pickSetting(kSixth, kLow));
  ASSERT_TRUE(b.runUntil([&] { return b.form.state().deviceValue[kSlot] == kLow; }, Ms(2000)));
  EXPECT_TRUE(InOrder(b.texts(), {"sent READ_PARAM testExtra: 41 53 02 05",
                                  "Test extra on the ESC: Mid", "Test extra picked: Low",
                                  "sent WRITE_PARAM testExtra=1: 41 53 03 05 01",
                                  "Test extra on the ESC: Low"}));
}

}  // namespace
}  // namespace morvane::test

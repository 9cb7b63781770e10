// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file's model: its words, how values match, the errors a user reads, and a
// load into the panel that the window's rules then write.
#include <gtest/gtest.h>

#include "bench.h"
#include "settings/settings_file.h"
#include "settings/settings_panel.h"

namespace morvane::test {
namespace {

// The format's own words, restated: files written today must read the same tomorrow,
// whatever happens to the panel's texts.
TEST(SettingsFile, NamesTheSettingsAndTheirChoicesInTheFormatsWords) {
  const std::vector<std::pair<const char*, std::vector<std::string>>> expected = {
      {"cutoffVoltage", {"4.8V", "5.6V", "6.0V", "7.2V", "8.4V", "9.0V", "11.0V", "12.0V"}},
      {"cutoffType", {"Hard Cutoff", "Soft Cutoff"}},
      {"brake", {"Disable", "Enable"}},
      {"timingAdvance", {"4-10\u00b0", "10-20\u00b0", "20-30\u00b0"}},
      {"rotationDirection", {"Forward", "Reverse"}},
  };
  for (int i = 0; i < kSettingCount; ++i) {
    EXPECT_EQ(SettingByName(expected[i].first), i);
    EXPECT_EQ(Choices(i), expected[i].second) << expected[i].first;
  }
  EXPECT_EQ(SettingByName("Brake"), -1);
}

TEST(SettingsFile, AValueMatchesIgnoringCaseTheDefaultMarkAndTheDegreeSign) {
  struct Case {
    const char* setting;
    const char* value;
    int index;
  };
  const Case cases[] = {
      {"cutoffVoltage", "7.2V", 3},
      {"cutoffVoltage", "5.6v", 1},
      {"cutoffVoltage", "5.6V *", 1},
      {"brake", "ENABLE", 1},
      {"cutoffType", "soft cutoff", 1},
      {"timingAdvance", "10-20", 1},
      {"timingAdvance", "20-30\u00b0", 2},
      {"timingAdvance", "4-10\u00b0 *", 0},
      {"timingAdvance", "1\u00b00-2\u00b00", -1},  // only a trailing one is the panel's
      {"timingAdvance", "10-20\u00b0\u00b0", -1},
      {"cutoffVoltage", "5.6", -1},
      {"cutoffVoltage", "", -1},
      {"brake", " Enable", -1},
      {"brake", "Enable*", -1},
      {"cutoffType", "SoftCutoff", -1},
      {"rotationDirection", "backward", -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MatchChoice(SettingByName(c.setting), c.value), c.index)
        << c.setting << "=" << c.value;
  }
}

TEST(SettingsFile, AssignmentsTakeEachSettingOnceWithAValueFromItsList) {
  const ParsedSettings good =
      ParseAssignments({"brake=enable", "timingAdvance=20-30", "cutoffVoltage=12.0V"});
  EXPECT_EQ(good.error, "");
  EXPECT_EQ(good.values, (SettingValues{7, kNotGiven, 1, 2, kNotGiven}));

  const std::vector<std::pair<std::vector<std::string>, std::string>> mistakes = {
      {{"brakes=Enable"},
       "unknown setting \"brakes\"; the settings are cutoffVoltage, cutoffType, brake, "
       "timingAdvance, rotationDirection"},
      {{"brake=Maybe"}, "brake: \"Maybe\" is not allowed; allowed: Disable, Enable"},
      {{"timingAdvance=15"},
       "timingAdvance: \"15\" is not allowed; allowed: 4-10\u00b0, 10-20\u00b0, 20-30\u00b0"},
      {{"brake=Enable", "brake=Disable"}, "brake is given twice"},
      {{"brake"}, "\"brake\" is not SETTING=VALUE"},
  };
  for (const auto& [args, error] : mistakes) {
    const ParsedSettings parsed = ParseAssignments(args);
    EXPECT_EQ(parsed.error, error);
    EXPECT_EQ(parsed.values, kNoSettings) << error;
  }
  EXPECT_EQ(ParseSettings({{"brake", std::nullopt}}).error,
            "brake: the value must be text; allowed: Disable, Enable");
}

struct Panel : Bench {
  Panel() {
    line.attachEsc(1, esc);
    form.Load();
  }
};

TEST(SettingsPanel, ALoadWaitsForAnIdentifiedEscWithItsFiveSettingsRead) {
  Panel p;
  EXPECT_FALSE(ReadyForLoad(p.form));
  ASSERT_TRUE(p.runUntil([&] { return p.conn() == "Connected"; }, Ms(2000)));
  EXPECT_FALSE(ReadyForLoad(p.form));  // identified, settings not read yet
  ASSERT_TRUE(p.connectAndRead());
  EXPECT_TRUE(ReadyForLoad(p.form));
  p.line.detachEsc(1);
  ASSERT_TRUE(p.runUntil([&] { return p.conn() == "Unconnected"; }, Ms(3000)));
  EXPECT_FALSE(ReadyForLoad(p.form));
}

TEST(SettingsPanel, PicksAsAUserWouldSoEachChangedSettingIsWrittenOnce) {
  Panel p;
  p.esc.setSetting(PARAM_TIMING, 3);  // not the default: a pick left out must not reset it
  ASSERT_TRUE(p.connectAndRead());
  p.takeFrames();
  // Brake and direction change; the cutoff voltage is what the ESC holds; the rest is not given.
  const SettingValues picks = {1, kNotGiven, 1, kNotGiven, 1};
  EXPECT_EQ(PickSettings(p.form, picks), 2);
  EXPECT_EQ(p.s().wantedValue[2], 1);
  EXPECT_EQ(p.s().wantedValue[4], 1);
  ASSERT_TRUE(p.runUntil([&] { return p.s().deviceValue == p.s().wantedValue; }, Ms(2000)));
  p.clock.runFor(Ms(1000));
  std::vector<Bytes> writes;
  for (const Bytes& f : p.takeFrames()) {
    if (f.size() > 2 && f[2] == CMD_WRITE_PARAM) writes.push_back(f);
  }
  EXPECT_EQ(writes,
            (std::vector<Bytes>{{0x41, 0x53, 0x03, 0x01, 0x02}, {0x41, 0x53, 0x03, 0x04, 0x02}}));
  EXPECT_EQ(p.esc.settings(), (std::array<std::uint8_t, 5>{2, 2, 3, 2, 2}));
}

TEST(SettingsPanel, ADocumentNamesTheEscOnlyWhileOneIsConnected) {
  Panel p;
  SettingsDocument doc = PanelDocument(p.form);
  EXPECT_EQ(doc.values, (SettingValues{1, 1, 0, 1, 0}));  // the defaults start-up selects
  EXPECT_EQ(doc.model, std::nullopt);
  EXPECT_EQ(doc.firmware, std::nullopt);
  p.esc.setSetting(PARAM_CUTOFF_VOLTAGE, 4);
  ASSERT_TRUE(p.connectAndRead());
  doc = PanelDocument(p.form);
  EXPECT_EQ(doc.values, (SettingValues{3, 1, 0, 1, 0}));
  EXPECT_EQ(doc.model, "MORVANE QR-18A V1.003");
  EXPECT_EQ(doc.firmware, "V1.234");
}

}  // namespace
}  // namespace morvane::test

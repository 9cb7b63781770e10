// SPDX-License-Identifier: GPL-3.0-or-later
// The settings, one row each: everything the program knows of a setting stands here
// and is read from here (the panel's lists, the wire, files, the command line, the logs).
// A row's place is its slot in AppState's deviceValue and wantedValue, and the number of
// rows is kSettingCount: a setting is added by adding its row.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "link/translatable.h"
#include "link/wire_codes.h"

namespace morvane {

#ifdef MORVANE_TEST_EXTRA_SETTING
inline constexpr std::uint8_t kTestExtraParam = 5;
#endif

struct SettingInfo {
  std::uint8_t paramId;              // on the wire
  const char* key;                   // in settings files, the command line and logs
  const char* box;                   // the window's name of its combo box
  const char* label;                 // the panel's label, after its number (translatable)
  int panelPlace;                    // 1, 2, ...: the panel's order, top to bottom
  std::array<const char*, 8> texts;  // the list's entries, the first `count`; words translatable
  int count;
  int defaultIndex;  // the factory default, marked " *" in the list
};

// The window shows the labels and the lists' words in the user's language; numbers stay.
inline constexpr auto kSettings = std::to_array<SettingInfo>({
    {PARAM_CUTOFF_VOLTAGE, "cutoffVoltage", "CombCutOffV",
     MORVANE_TRANSLATABLE("Settings", "Cutoff Voltage"), 1,
     {"4.8V", "5.6V", "6.0V", "7.2V", "8.4V", "9.0V", "11.0V", "12.0V"}, 8, 1},
    {PARAM_CUTOFF_TYPE, "cutoffType", "CombCutOffT", MORVANE_TRANSLATABLE("Settings", "Cutoff Type"),
     4,
     {MORVANE_TRANSLATABLE("Settings", "Hard Cutoff"),
      MORVANE_TRANSLATABLE("Settings", "Soft Cutoff")},
     2, 1},
    {PARAM_BRAKE, "brake", "CombBrake", MORVANE_TRANSLATABLE("Settings", "Brake"), 2,
     {MORVANE_TRANSLATABLE("Settings", "Disable"), MORVANE_TRANSLATABLE("Settings", "Enable")}, 2,
     0},
    {PARAM_TIMING, "timingAdvance", "CombTiming", MORVANE_TRANSLATABLE("Settings", "Timing Advance"),
     3, {"4-10\u00b0", "10-20\u00b0", "20-30\u00b0"}, 3, 1},
    {PARAM_DIRECTION, "rotationDirection", "CombDir",
     MORVANE_TRANSLATABLE("Settings", "Rotation Direction"), 5,
     {MORVANE_TRANSLATABLE("Settings", "Forward"), MORVANE_TRANSLATABLE("Settings", "Reverse")}, 2,
     0},
#ifdef MORVANE_TEST_EXTRA_SETTING
    // A sixth setting that only a test build has (MORVANE_TEST_EXTRA_SETTING): it shows that
    // every part of the program takes a setting from this table alone.
    {kTestExtraParam, "testExtra", "CombTestExtra", "Test Extra", 6, {"Low", "Mid", "High"}, 3,
     2},
#endif
});

inline constexpr int kSettingCount = static_cast<int>(kSettings.size());

// How the list marks the factory default.
inline constexpr std::string_view kDefaultMark = " *";

// Every row has a place in the panel and a parameter id of its own, and its default in its list.
constexpr bool SettingRowsAreSound() {
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    const SettingInfo& a = kSettings[i];
    if (a.panelPlace < 1 || a.panelPlace > kSettingCount) return false;
    if (a.count < 1 || a.count > static_cast<int>(a.texts.size())) return false;
    if (a.defaultIndex < 0 || a.defaultIndex >= a.count) return false;
    for (std::size_t k = 0; k < i; ++k) {
      const SettingInfo& b = kSettings[k];
      if (a.paramId == b.paramId || a.panelPlace == b.panelPlace) return false;
    }
  }
  return true;
}
static_assert(SettingRowsAreSound(), "a row's panel place, parameter id, list or default is off");

// The settings in the panel's order, top to bottom.
inline constexpr std::array<int, kSettingCount> kPanelOrder = [] {
  std::array<int, kSettingCount> order{};
  for (int i = 0; i < kSettingCount; ++i) {
    order[static_cast<std::size_t>(kSettings[static_cast<std::size_t>(i)].panelPlace - 1)] = i;
  }
  return order;
}();

// The slot of a parameter id; -1 for an id no setting has.
constexpr int SettingIndexOfParam(int paramId) {
  for (int i = 0; i < kSettingCount; ++i) {
    if (kSettings[static_cast<std::size_t>(i)].paramId == paramId) return i;
  }
  return -1;
}

}  // namespace morvane

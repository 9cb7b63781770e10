// SPDX-License-Identifier: GPL-3.0-or-later
// An ESC's settings beside a file's: which of the file's settings the ESC holds already and
// which it does not, as lines a script can read and as JSON. Nothing here writes anything.
#pragma once

#include <string>
#include <vector>

#include "settings/settings_file.h"

namespace morvane {

struct SettingDifference {
  int setting = 0;
  int esc = kNotGiven;   // the entry the ESC holds; may lie outside the list
  int file = kNotGiven;  // the entry the file gives
  bool equal() const { return esc == file; }
};

// One entry per setting the file gives, in the panel's order.
std::vector<SettingDifference> CompareSettings(const SettingValues& esc, const SettingValues& file);
bool AllEqual(const std::vector<SettingDifference>& diff);
// The file's values where the ESC differs, kNotGiven elsewhere: what applying them writes.
SettingValues Differing(const std::vector<SettingDifference>& diff);

// "= cutoffType: Soft Cutoff" for a setting the ESC holds as the file gives it,
// "! brake: ESC Disable, file Enable" for one it does not.
std::string DifferenceLine(const SettingDifference& d);
// {"equal":false,"settings":[{"name":"brake","esc":"Disable","file":"Enable","equal":false}]}
std::string DifferencesJson(const std::vector<SettingDifference>& diff);

}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_diff.h"

#include <algorithm>

namespace morvane {
namespace {

std::string Name(int setting) {
  return kSettingNames[static_cast<std::size_t>(setting)];
}

// The names and list texts are the program's own: only a quote or a backslash could need
// escaping, and none holds one, but a JSON string must stay one whatever a list says.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

}  // namespace

std::vector<SettingDifference> CompareSettings(const SettingValues& esc,
                                               const SettingValues& file) {
  std::vector<SettingDifference> diff;
  for (int i : kPanelOrder) {
    const auto k = static_cast<std::size_t>(i);
    if (file[k] != kNotGiven) diff.push_back({i, esc[k], file[k]});
  }
  return diff;
}

bool AllEqual(const std::vector<SettingDifference>& diff) {
  return std::all_of(diff.begin(), diff.end(), [](const auto& d) { return d.equal(); });
}

SettingValues Differing(const std::vector<SettingDifference>& diff) {
  SettingValues values = kNoSettings;
  for (const SettingDifference& d : diff) {
    if (!d.equal()) values[static_cast<std::size_t>(d.setting)] = d.file;
  }
  return values;
}

std::string DifferenceLine(const SettingDifference& d) {
  if (d.equal()) return "= " + Name(d.setting) + ": " + ChoiceText(d.setting, d.file);
  return "! " + Name(d.setting) + ": ESC " + ChoiceText(d.setting, d.esc) + ", file " +
         ChoiceText(d.setting, d.file);
}

std::string DifferencesJson(const std::vector<SettingDifference>& diff) {
  std::string json =
      std::string("{\"equal\":") + (AllEqual(diff) ? "true" : "false") + ",\"settings\":[";
  for (std::size_t k = 0; k < diff.size(); ++k) {
    const SettingDifference& d = diff[k];
    json += (k == 0 ? "{" : ",{") + std::string("\"name\":") + Quoted(Name(d.setting)) +
            ",\"esc\":" + Quoted(ChoiceText(d.setting, d.esc)) +
            ",\"file\":" + Quoted(ChoiceText(d.setting, d.file)) +
            ",\"equal\":" + (d.equal() ? "true" : "false") + "}";
  }
  return json + "]}";
}

}  // namespace morvane

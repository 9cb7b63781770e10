// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file's model: the settings by name, their choices as the panel lists
// them, and what a file or a command line may say about them. The JSON is the shell's.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/app_state.h"
#include "link/settings_table.h"
#include "link/translatable.h"

namespace morvane {

inline constexpr const char* kSettingsFormat = "morvane-esc-settings";
inline constexpr int kSettingsVersion = 1;
inline constexpr std::size_t kMaxSettingsFileBytes = 64 * 1024;

// Names in the order of deviceValue and wantedValue.
inline constexpr std::array<const char*, kSettingCount> kSettingNames = [] {
  std::array<const char*, kSettingCount> names{};
  for (std::size_t i = 0; i < names.size(); ++i) names[i] = kSettings[i].key;
  return names;
}();

// An entry index for each setting; kNotGiven where a file or a command leaves it alone.
inline constexpr int kNotGiven = -1;
using SettingValues = std::array<int, kSettingCount>;
inline constexpr SettingValues kNoSettings = [] {
  SettingValues none{};
  none.fill(kNotGiven);
  return none;
}();

struct SettingsDocument {
  SettingValues values = kNoSettings;
  // For information only: what the settings were read from, when an ESC was connected.
  std::optional<std::string> model;
  std::optional<std::string> firmware;
  std::string saved;  // UTC, ISO 8601
  // What a preset is for, in words ("3S LiPo, soft cutoff"); files saved from an ESC have none.
  std::optional<std::string> description;
};

// A setting's choices as files and the command line write them: the panel's list texts
// without the default mark.
const std::vector<std::string>& Choices(int setting);
// The text of entry `index`, or "value byte N" for an index the list does not have; in the
// language of `translate` as the panel shows it (empty: as files and the command line say it).
std::string ChoiceText(int setting, int index, const TranslateText& translate = {});
// -1 when the name is none of the settings'.
int SettingByName(std::string_view name);
// The entry a value names, ignoring case, a trailing " *" and the degree sign; -1 for none.
int MatchChoice(int setting, std::string_view value);

// One setting as a file or the command line gives it: its name and its value, nullopt when
// the value is not text.
struct SettingEntry {
  std::string name;
  std::optional<std::string> value;
};

struct ParsedSettings {
  SettingValues values = kNoSettings;
  std::string error;  // empty when every entry was good; then values hold them
};

// Each entry names one of the settings, once, with a value from its list. The first
// fault found is the error: it names the setting and the allowed values.
// The reason for a refusal comes in the language `translate` gives (empty: English).
ParsedSettings ParseSettings(const std::vector<SettingEntry>& entries,
                             const TranslateText& translate = {});
// SETTING=VALUE arguments, in the same words as a file.
ParsedSettings ParseAssignments(const std::vector<std::string>& args);

}  // namespace morvane

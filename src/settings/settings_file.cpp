// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_file.h"

#include <algorithm>

#include "link/printable.h"

namespace morvane {
namespace {

constexpr std::string_view kDegree = "\u00b0";

bool EndsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The form in which two values are compared: one trailing degree sign may be left out, as
// the panel shows it; one inside a value makes it another value.
std::string Folded(std::string_view value) {
  if (EndsWith(value, kDefaultMark)) value.remove_suffix(kDefaultMark.size());
  if (EndsWith(value, kDegree)) value.remove_suffix(kDegree.size());
  std::string folded;
  for (const char c : value) {
    folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return folded;
}

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& t : texts) joined += (joined.empty() ? "" : ", ") + t;
  return joined;
}

std::string UnknownSetting(std::string_view name, const TranslateText& translate) {
  std::vector<std::string> names(kSettingNames.begin(), kSettingNames.end());
  return Phrase(translate, "SettingsFile",
                MORVANE_TRANSLATABLE("SettingsFile", "unknown setting \"%1\"; the settings are %2"),
                {Printable(name), Joined(names)});
}

}  // namespace

const std::vector<std::string>& Choices(int setting) {
  static const std::array<std::vector<std::string>, kSettingCount> choices = [] {
    std::array<std::vector<std::string>, kSettingCount> lists;
    for (std::size_t i = 0; i < lists.size(); ++i) {
      const SettingInfo& info = kSettings[i];
      lists[i].assign(info.texts.begin(), info.texts.begin() + info.count);
    }
    return lists;
  }();
  return choices.at(static_cast<std::size_t>(setting));
}

std::string ChoiceText(int setting, int index, const TranslateText& translate) {
  const std::vector<std::string>& choices = Choices(setting);
  if (index >= 0 && index < static_cast<int>(choices.size())) {
    return Phrase(translate, "Settings", choices[static_cast<std::size_t>(index)].c_str());
  }
  return Phrase(translate, "Settings", MORVANE_TRANSLATABLE("Settings", "value byte %1"),
                {std::to_string(index + 1)});
}

int SettingByName(std::string_view name) {
  const auto it = std::find(kSettingNames.begin(), kSettingNames.end(), name);
  return it == kSettingNames.end() ? -1 : static_cast<int>(it - kSettingNames.begin());
}

int MatchChoice(int setting, std::string_view value) {
  const std::string wanted = Folded(value);
  const std::vector<std::string>& choices = Choices(setting);
  for (std::size_t i = 0; i < choices.size(); ++i) {
    if (Folded(choices[i]) == wanted) return static_cast<int>(i);
  }
  return -1;
}

ParsedSettings ParseSettings(const std::vector<SettingEntry>& entries,
                             const TranslateText& translate) {
  ParsedSettings parsed;
  // Keys and values are the file's own and stay as they are in any language.
  const auto refused = [&translate](const char* english,
                                    std::initializer_list<std::string_view> args) {
    return ParsedSettings{kNoSettings, Phrase(translate, "SettingsFile", english, args)};
  };
  for (const SettingEntry& entry : entries) {
    const int setting = SettingByName(entry.name);
    if (setting < 0) return {kNoSettings, UnknownSetting(entry.name, translate)};
    const std::string name = Printable(entry.name);
    if (parsed.values[static_cast<std::size_t>(setting)] != kNotGiven) {
      return refused(MORVANE_TRANSLATABLE("SettingsFile", "%1 is given twice"), {name});
    }
    const std::string allowed = Joined(Choices(setting));
    if (!entry.value) {
      return refused(
          MORVANE_TRANSLATABLE("SettingsFile", "%1: the value must be text; allowed: %2"),
          {name, allowed});
    }
    const int index = MatchChoice(setting, *entry.value);
    if (index < 0) {
      return refused(MORVANE_TRANSLATABLE("SettingsFile", "%1: \"%2\" is not allowed; allowed: %3"),
                     {name, Printable(*entry.value), allowed});
    }
    parsed.values[static_cast<std::size_t>(setting)] = index;
  }
  return parsed;
}

ParsedSettings ParseAssignments(const std::vector<std::string>& args) {
  std::vector<SettingEntry> entries;
  for (const std::string& arg : args) {
    const std::size_t eq = arg.find('=');
    if (eq == std::string::npos) {
      // Appended, not "\"" + text: GCC 12 warns falsely (-Wrestrict) on that at -O3.
      std::string why = "\"";
      return {kNoSettings, why.append(Printable(arg)).append("\" is not SETTING=VALUE")};
    }
    entries.push_back({arg.substr(0, eq), arg.substr(eq + 1)});
  }
  return ParseSettings(entries);
}

}  // namespace morvane

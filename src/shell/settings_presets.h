// SPDX-License-Identifier: GPL-3.0-or-later
// Presets: settings files with a description, shipped with the program and of the user's
// own. A preset's name is its file's name without ".json"; the user's win over shipped ones
// of the same name.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/settings_file.h"

namespace morvane {

struct Preset {
  std::string name;
  std::string description;  // the name when the file gives none
  std::string path;         // bytes, as the system takes them
  bool user = false;
  SettingValues values = kNoSettings;
};

struct PresetList {
  std::vector<Preset> presets;      // by name
  std::vector<std::string> errors;  // a file in a preset folder that is no settings file
};

// ~/.local/share/morvane-esc-config/presets (XDG_DATA_HOME when set).
std::string UserPresetFolder();
// MORVANE_ESC_PRESETS when set; else share/morvane-esc-config/presets beside the program
// (installed, or in the build tree), then the folder of the installed package.
std::vector<std::string> ShippedPresetFolders();

PresetList ListPresets();
// The file of the preset `name`, none when no preset has that name.
std::optional<std::string> PresetPath(const std::string& name);
// What load and diff read for FILE: the file when one is there by that name, else the
// preset of that name, else the name as given (its error tells).
std::string FileOrPreset(const std::string& name);

// A preset's name from its description: "3S LiPo, soft cutoff" is "3s-lipo-soft-cutoff".
std::string PresetNameOf(const std::string& description);
// Saves `doc` with `description` among the user's presets; returns the error, empty when saved.
std::string SaveUserPreset(const std::string& description, SettingsDocument doc,
                           const TranslateText& translate = {});

// `morvane-esc presets`: name, description and file, separated by tabs; or a JSON array.
std::string PresetsText(const PresetList& list);
std::string PresetsJson(const PresetList& list);

}  // namespace morvane

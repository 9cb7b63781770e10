// SPDX-License-Identifier: GPL-3.0-or-later
// Presets: settings files with a description, shipped with the program and of the user's
// own. A preset's name is its file's name without ".json"; the user's win over shipped ones
// of the same name.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "shell/safe_file.h"

namespace morvane {

struct Preset {
  std::string name;
  std::string description;  // the name when the file gives none
  std::string path;         // bytes, as the system takes them
  bool user = false;
  SettingValues values = kNoSettings;
};

struct PresetList {
  std::vector<Preset> presets;      // by name, in the order of its bytes
  std::vector<std::string> errors;  // a file in a preset folder that is no settings file
};

// ~/.local/share/morvane-esc-config/presets (XDG_DATA_HOME when set).
std::string UserPresetFolder();
// MORVANE_ESC_PRESETS when set; else share/morvane-esc-config/presets beside the program
// (installed, or in the build tree), then the folder of the installed package.
std::vector<std::string> ShippedPresetFolders();

PresetList ListPresets();
// The file of the preset `name`, also of one that is no valid settings file (reading it tells
// why); none when no preset folder has a file of that name.
std::optional<std::string> PresetPath(const std::string& name);
// What load and diff read for FILE: the file when one is there by that name, else the
// preset of that name, else the name as given (its error tells).
std::string FileOrPreset(const std::string& name);

// A name's length in bytes, at most: with ".json" and a number after it, and as the hidden
// name it is written under first, it fits every file system's names.
inline constexpr std::size_t kMaxPresetName = 64;
// A preset's name from its description: "3S LiPo, soft cutoff" is "3s-lipo-soft-cutoff". A
// long description is cut at a word to kMaxPresetName.
std::string PresetNameOf(const std::string& description);

// Where saving a preset of `description` puts it among the user's presets, and what is in the
// way: the file of its name may hold a preset already.
struct PresetPlace {
  std::string name;
  std::string path;
  std::optional<std::string> taken;  // the description of the preset there (its name if none)
  std::string otherName;             // while taken: the first of name-2, name-3, ... that is free
};
PresetPlace UserPresetPlace(const std::string& description);

struct SavedPreset {
  std::string path;   // where it went
  std::string error;  // empty when saved
};
// Saves `doc` with `description` among the user's presets. Existing::Replace: as the file of
// its name, over the preset there. Existing::Keep: never over a file, as its name or else the
// first of name-2, name-3, ... that is free at the moment it is written.
SavedPreset SaveUserPreset(const std::string& description, SettingsDocument doc, Existing existing,
                           const TranslateText& translate = {});

// `morvane-esc presets`: name, description and file, separated by tabs; or a JSON array. Each
// is shown printable: control characters and bytes that are no UTF-8 escaped.
std::string PresetsText(const PresetList& list);
std::string PresetsJson(const PresetList& list);

}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/file_name_check.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "ports/port_table.h"
#include "link/printable.h"

namespace morvane {
namespace {

// Windows opens these devices whatever the extension: "aux.json" is AUX.
bool IsDeviceName(std::string_view stem) {
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  std::string upper(stem);
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
  if (std::find(kPlain.begin(), kPlain.end(), upper) != kPlain.end()) return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
         upper[3] >= '1' && upper[3] <= '9';
}

std::string_view LastPart(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    path.remove_prefix(2);
  }
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string WindowsFileNameTrouble(std::string_view path, const TranslateText& translate) {
  const Phrases say(translate, "FileName");
  const std::string_view name = LastPart(path);
  if (name.empty()) return say(MORVANE_TRANSLATABLE("FileName", "no file name is given"));
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("<>:\"|?*").find(c) != std::string_view::npos) {
      return say(MORVANE_TRANSLATABLE("FileName",
                                      "Windows does not allow %1 in a file name: choose another "
                                      "name"),
                 {Printable(std::string(1, c))});
    }
  }
  if (name.back() == '.' || name.back() == ' ') {
    return say(MORVANE_TRANSLATABLE("FileName",
                                    "Windows drops a dot or a space at the end of a file name: "
                                    "choose another name"));
  }
  if (IsDeviceName(name.substr(0, name.find('.')))) {
    return say(MORVANE_TRANSLATABLE("FileName",
                                    "%1 is the name of a device on Windows, not of a file: choose "
                                    "another name"),
               {Printable(name)});
  }
  return {};
}

std::string FileNameTrouble(std::string_view path, const TranslateText& translate) {
  if (CurrentPlatform() != Platform::Windows) return {};
  return WindowsFileNameTrouble(path, translate);
}

}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/settings_presets.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <algorithm>
#include <map>

#if defined(Q_OS_UNIX)
#include <dirent.h>
#include <sys/stat.h>
#endif

#include "link/printable.h"
#include "shell/settings_json.h"

namespace morvane {
namespace {

constexpr const char* kPresetsPath = "morvane-esc-config/presets";

std::string Bytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// Whether anything is at the name, which stays bytes.
bool Exists(const std::string& path) {
#if defined(Q_OS_UNIX)
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
#else
  return QFileInfo::exists(QFile::decodeName(QByteArray::fromStdString(path)));
#endif
}

// The names of the settings files in a folder, by their bytes: a name that is no UTF-8 is
// listed as well. Hidden files are not presets.
std::vector<std::string> JsonFiles(const std::string& folder) {
  std::vector<std::string> names;
#if defined(Q_OS_UNIX)
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    struct stat st {};
    if (name.size() > 5 && name.front() != '.' && name.ends_with(".json") &&
        ::stat((folder + "/" + name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
      names.push_back(name);
    }
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
#else
  const QDir dir(QFile::decodeName(QByteArray::fromStdString(folder)));
  for (const QFileInfo& info :
       dir.entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name))
    names.push_back(Bytes(info.fileName()));
#endif
  return names;
}

// Every preset file by name, valid or not, the user's over the shipped ones; and why each one
// that is no settings file is not.
struct Shelf {
  struct Entry {
    std::string path;
    std::optional<Preset> preset;  // none: the file is no valid settings file
  };
  std::map<std::string, Entry> byName;
  std::vector<std::string> errors;
};

void Scan(const std::string& folder, bool user, Shelf& shelf) {
  for (const std::string& file : JsonFiles(folder)) {
    const std::string name = file.substr(0, file.size() - 5);
    const std::string path = folder + "/" + file;
    const SettingsRead read = ReadSettingsFile(path);
    if (!read.document) {
      shelf.errors.push_back(read.error);
      shelf.byName[name] = {path, std::nullopt};
      continue;
    }
    Preset preset;
    preset.name = name;
    preset.path = path;
    preset.user = user;
    preset.values = read.document->values;
    preset.description = read.document->description.value_or(preset.name);
    shelf.byName[name] = {path, preset};
  }
}

Shelf ScanAll() {
  Shelf shelf;
  // Shipped first, the first folder winning; then the user's, which replace them.
  const std::vector<std::string> shipped = ShippedPresetFolders();
  for (auto it = shipped.rbegin(); it != shipped.rend(); ++it) Scan(*it, false, shelf);
  Scan(UserPresetFolder(), true, shelf);
  return shelf;
}

std::string UserPresetFile(const std::string& name) {
  return UserPresetFolder() + "/" + name + ".json";
}

// name, name-2, name-3, ...
std::string Numbered(const std::string& name, int n) {
  return n == 1 ? name : name + "-" + std::to_string(n);
}

}  // namespace

std::string UserPresetFolder() {
  return Bytes(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
               QLatin1Char('/') + QLatin1String(kPresetsPath));
}

std::vector<std::string> ShippedPresetFolders() {
  if (const QByteArray env = qgetenv("MORVANE_ESC_PRESETS"); !env.isEmpty()) {
    return {env.toStdString()};
  }
  std::vector<std::string> folders;
  // Installed, the program is in bin/ beside share/; in the build tree two floors deeper.
  if (QCoreApplication::instance() != nullptr) {
    const QString here = QCoreApplication::applicationDirPath();
    for (const char* up : {"/../share/", "/../../share/"}) {
      const QString folder =
          QDir::cleanPath(here + QLatin1String(up) + QLatin1String(kPresetsPath));
      if (QFileInfo(folder).isDir()) folders.push_back(Bytes(folder));
    }
  }
  const std::string packaged = std::string("/usr/share/") + kPresetsPath;
  if (std::find(folders.begin(), folders.end(), packaged) == folders.end()) {
    folders.push_back(packaged);
  }
  return folders;
}

PresetList ListPresets() {
  Shelf shelf = ScanAll();
  PresetList list;
  for (auto& [name, entry] : shelf.byName) {
    if (entry.preset) list.presets.push_back(std::move(*entry.preset));
  }
  list.errors = std::move(shelf.errors);
  return list;
}

std::optional<std::string> PresetPath(const std::string& name) {
  const Shelf shelf = ScanAll();
  const auto it = shelf.byName.find(name);
  if (it == shelf.byName.end()) return std::nullopt;
  return it->second.path;
}

std::string FileOrPreset(const std::string& name) {
  if (name.find('/') != std::string::npos || Exists(name)) return name;
  return PresetPath(name).value_or(name);
}

std::string PresetNameOf(const std::string& description) {
  std::string name;
  for (const char c : description) {
    const bool keep = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    if (keep || (c >= 'A' && c <= 'Z')) {
      name += keep ? c : static_cast<char>(c - 'A' + 'a');
    } else if (!name.empty() && name.back() != '-') {
      name += '-';
    }
  }
  if (name.size() > kMaxPresetName) {
    // At the last word that ends in time; a single word that long is cut where it must be.
    const std::size_t word = name.rfind('-', kMaxPresetName);
    name.resize(word != std::string::npos && word > 0 ? word : kMaxPresetName);
  }
  while (!name.empty() && name.back() == '-') name.pop_back();
  return name.empty() ? "preset" : name;
}

PresetPlace UserPresetPlace(const std::string& description) {
  PresetPlace place;
  place.name = PresetNameOf(description);
  place.path = UserPresetFile(place.name);
  if (!Exists(place.path)) return place;
  const SettingsRead read = ReadSettingsFile(place.path);
  place.taken =
      read.document && read.document->description ? *read.document->description : place.name;
  for (int n = 2; place.otherName.empty(); ++n) {
    if (!Exists(UserPresetFile(Numbered(place.name, n)))) place.otherName = Numbered(place.name, n);
  }
  return place;
}

SavedPreset SaveUserPreset(const std::string& description, SettingsDocument doc, Existing existing,
                           const TranslateText& translate) {
  const std::string folder = UserPresetFolder();
  if (!QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(folder)))) {
    return {{},
            folder + ": " +
                Phrase(translate, "SettingsFile",
                       MORVANE_TRANSLATABLE("SettingsFile", "cannot make the folder"))};
  }
  doc.description = description;
  doc.saved = UtcNow();
  const std::string name = PresetNameOf(description);
  for (int n = 1;; ++n) {
    const std::string path = UserPresetFile(Numbered(name, n));
    if (existing == Existing::Keep && Exists(path)) continue;
    std::string error = WriteSettingsFile(path, doc, translate, existing);
    // Taken a moment ago by another: the next name.
    if (!error.empty() && existing == Existing::Keep && Exists(path)) continue;
    return {path, std::move(error)};
  }
}

std::string PresetsText(const PresetList& list) {
  std::string text;
  for (const Preset& p : list.presets)
    text += Printable(p.name) + "\t" + Printable(p.description) + "\t" + Printable(p.path) + "\n";
  return text;
}

std::string PresetsJson(const PresetList& list) {
  QJsonArray array;
  const auto text = [](const std::string& s) { return QString::fromStdString(Printable(s)); };
  for (const Preset& p : list.presets) {
    array.append(QJsonObject{{QStringLiteral("name"), text(p.name)},
                             {QStringLiteral("description"), text(p.description)},
                             {QStringLiteral("file"), text(p.path)},
                             {QStringLiteral("user"), p.user}});
  }
  return QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace morvane

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

#include "settings/printable.h"
#include "shell/settings_json.h"

namespace morvane {
namespace {

constexpr const char* kPresetsPath = "morvane-esc-config/presets";

std::string Bytes(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

void Scan(const std::string& folder, bool user, std::map<std::string, Preset>& found,
          std::vector<std::string>& errors) {
  const QDir dir(QFile::decodeName(QByteArray::fromStdString(folder)));
  for (const QFileInfo& info :
       dir.entryInfoList({QStringLiteral("*.json")}, QDir::Files | QDir::Readable, QDir::Name)) {
    const std::string path = Bytes(info.filePath());
    const SettingsRead read = ReadSettingsFile(path);
    if (!read.document) {
      errors.push_back(read.error);
      continue;
    }
    Preset preset;
    preset.name = Bytes(info.completeBaseName());
    preset.path = path;
    preset.user = user;
    preset.values = read.document->values;
    preset.description = read.document->description.value_or(preset.name);
    found[preset.name] = preset;
  }
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
  std::map<std::string, Preset> found;
  PresetList list;
  // Shipped first, the first folder winning; then the user's, which replace them.
  const std::vector<std::string> shipped = ShippedPresetFolders();
  for (auto it = shipped.rbegin(); it != shipped.rend(); ++it) Scan(*it, false, found, list.errors);
  Scan(UserPresetFolder(), true, found, list.errors);
  for (auto& [name, preset] : found) list.presets.push_back(preset);
  return list;
}

std::optional<std::string> PresetPath(const std::string& name) {
  for (const Preset& preset : ListPresets().presets) {
    if (preset.name == name) return preset.path;
  }
  return std::nullopt;
}

std::string FileOrPreset(const std::string& name) {
  if (name.find('/') != std::string::npos ||
      QFileInfo::exists(QFile::decodeName(QByteArray::fromStdString(name)))) {
    return name;
  }
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
  while (!name.empty() && name.back() == '-') name.pop_back();
  return name.empty() ? "preset" : name;
}

std::string SaveUserPreset(const std::string& description, SettingsDocument doc,
                           const TranslateText& translate) {
  const std::string folder = UserPresetFolder();
  if (!QDir().mkpath(QFile::decodeName(QByteArray::fromStdString(folder)))) {
    return folder + ": " +
           Phrase(translate, "SettingsFile",
                  MORVANE_TRANSLATABLE("SettingsFile", "cannot make the folder"));
  }
  doc.description = description;
  doc.saved = UtcNow();
  return WriteSettingsFile(folder + "/" + PresetNameOf(description) + ".json", doc, translate);
}

std::string PresetsText(const PresetList& list) {
  std::string text;
  for (const Preset& p : list.presets)
    text += Printable(p.name) + "\t" + Printable(p.description) + "\t" + Printable(p.path) + "\n";
  return text;
}

std::string PresetsJson(const PresetList& list) {
  QJsonArray array;
  for (const Preset& p : list.presets) {
    array.append(
        QJsonObject{{QStringLiteral("name"), QString::fromStdString(p.name)},
                    {QStringLiteral("description"), QString::fromStdString(p.description)},
                    {QStringLiteral("file"), QFile::decodeName(QByteArray::fromStdString(p.path))},
                    {QStringLiteral("user"), p.user}});
  }
  return QJsonDocument(array).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace morvane

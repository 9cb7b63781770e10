// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings_json.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSaveFile>
#include <vector>

namespace morvane {
namespace {

QString Text(const std::string& s) {
  return QString::fromStdString(s);
}

QJsonValue TextOrNull(const std::optional<std::string>& s) {
  return s ? QJsonValue(Text(*s)) : QJsonValue(QJsonValue::Null);
}

std::optional<std::string> TextOf(const QJsonValue& v) {
  return v.isString() ? std::optional<std::string>(v.toString().toStdString()) : std::nullopt;
}

SettingsRead Failed(const QString& name, const std::string& why) {
  return {std::nullopt, name.toStdString() + ": " + why};
}

}  // namespace

QByteArray SettingsJson(const SettingsDocument& doc) {
  QJsonObject settings;
  for (int i : kPanelOrder) {
    const int index = doc.values[static_cast<std::size_t>(i)];
    if (index != kNotGiven) {
      settings.insert(QLatin1String(kSettingNames[static_cast<std::size_t>(i)]),
                      Text(ChoiceText(i, index)));
    }
  }
  QJsonObject root;
  root.insert(QLatin1String("format"), QLatin1String(kSettingsFormat));
  root.insert(QLatin1String("version"), kSettingsVersion);
  root.insert(QLatin1String("settings"), settings);
  root.insert(QLatin1String("model"), TextOrNull(doc.model));
  root.insert(QLatin1String("firmware"), TextOrNull(doc.firmware));
  root.insert(QLatin1String("saved"), Text(doc.saved));
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SettingsRead ParseSettingsJson(const QByteArray& bytes, const QString& name) {
  if (static_cast<std::size_t>(bytes.size()) > kMaxSettingsFileBytes) {
    return Failed(name, "refused: larger than 64 KiB, which no settings file is");
  }
  if (bytes.trimmed().isEmpty()) return Failed(name, "the file is empty");
  QJsonParseError parseError{};
  const QJsonDocument json = QJsonDocument::fromJson(bytes, &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    return Failed(name, "not JSON: " + parseError.errorString().toStdString() + " at byte " +
                            std::to_string(parseError.offset));
  }
  if (!json.isObject()) return Failed(name, "not a settings file: the JSON is not an object");
  const QJsonObject root = json.object();

  const QJsonValue format = root.value(QLatin1String("format"));
  if (format.toString() != QLatin1String(kSettingsFormat)) {
    return Failed(
        name, std::string("not a settings file: \"format\" must be \"") + kSettingsFormat + "\"");
  }
  const QJsonValue version = root.value(QLatin1String("version"));
  if (!version.isDouble()) return Failed(name, "\"version\" must be a number");
  if (version.toDouble() != kSettingsVersion) {
    return Failed(name, "version " + QString::number(version.toDouble()).toStdString() +
                            " is not supported; this program reads version " +
                            std::to_string(kSettingsVersion));
  }
  const QJsonValue settings = root.value(QLatin1String("settings"));
  if (!settings.isObject()) return Failed(name, "\"settings\" must be an object");

  std::vector<SettingEntry> entries;
  const QJsonObject given = settings.toObject();
  for (auto it = given.begin(); it != given.end(); ++it) {
    entries.push_back({it.key().toStdString(), TextOf(it.value())});
  }
  const ParsedSettings parsed = ParseSettings(entries);
  if (!parsed.error.empty()) return Failed(name, parsed.error);

  SettingsDocument doc;
  doc.values = parsed.values;
  doc.model = TextOf(root.value(QLatin1String("model")));
  doc.firmware = TextOf(root.value(QLatin1String("firmware")));
  doc.saved = TextOf(root.value(QLatin1String("saved"))).value_or(std::string());
  return {doc, {}};
}

SettingsRead ReadSettingsFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return Failed(path, "cannot read: " + file.errorString().toStdString());
  }
  // One byte past the limit is enough to refuse; a huge file is never read whole.
  const QByteArray bytes = file.read(static_cast<qint64>(kMaxSettingsFileBytes) + 1);
  if (file.error() != QFileDevice::NoError) {
    return Failed(path, "cannot read: " + file.errorString().toStdString());
  }
  return ParseSettingsJson(bytes, path);
}

std::string WriteSettingsFile(const QString& path, const SettingsDocument& doc) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return path.toStdString() + ": cannot write: " + file.errorString().toStdString();
  }
  file.write(SettingsJson(doc));
  if (!file.commit()) {
    return path.toStdString() + ": cannot write: " + file.errorString().toStdString();
  }
  return {};
}

std::string UtcNow() {
  return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

}  // namespace morvane

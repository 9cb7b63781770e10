// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/settings_json.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "shell/safe_file.h"
#include "link/printable.h"

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

SettingsRead Failed(const std::string& name, const std::string& why) {
  return {std::nullopt, Printable(name) + ": " + why};
}

void AppendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xc0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xe0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  } else {
    out += static_cast<char>(0xf0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3f));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3f));
    out += static_cast<char>(0x80 | (c & 0x3f));
  }
}

// Four hex digits at bytes[i], which the JSON parser has already found there.
std::uint32_t Hex4(const QByteArray& bytes, qsizetype& i) {
  const qsizetype end = std::min(i + 4, bytes.size());
  const std::uint32_t value = bytes.mid(i, end - i).toUInt(nullptr, 16);
  i = end;
  return value;
}

// The text of the JSON string whose opening quote is at bytes[i]; i ends past its closing
// quote. Escapes are decoded: "br\u0061ke" is the key "brake" to a JSON object as well.
std::string JsonString(const QByteArray& bytes, qsizetype& i) {
  std::string out;
  for (++i; i < bytes.size() && bytes[i] != '"';) {
    const char c = bytes[i++];
    if (c != '\\' || i == bytes.size()) {
      out += c;
      continue;
    }
    const char escaped = bytes[i++];
    switch (escaped) {
      case 'b':
        out += '\b';
        break;
      case 'f':
        out += '\f';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case 't':
        out += '\t';
        break;
      case 'u': {
        std::uint32_t code = Hex4(bytes, i);
        if (code >= 0xd800 && code < 0xdc00 && bytes.mid(i, 2) == "\\u") {
          qsizetype next = i + 2;
          const std::uint32_t low = Hex4(bytes, next);
          if (low >= 0xdc00 && low < 0xe000) {
            code = 0x10000 + ((code - 0xd800) << 10) + (low - 0xdc00);
            i = next;
          }
        }
        AppendUtf8(out, code >= 0xd800 && code < 0xe000 ? 0xfffd : code);
        break;
      }
      default:
        out += escaped;  // \" \\ \/
    }
  }
  ++i;
  return out;
}

// A key given twice in one object, said in a message; empty when there is none. The bytes
// are JSON already parsed, so only strings and brackets need telling apart.
std::string DuplicateKey(const QByteArray& bytes, const TranslateText& translate) {
  struct Level {
    bool object;
    std::string name;  // the key whose value it is
    std::set<std::string> keys;
    bool keyNext = true;
  };
  std::vector<Level> levels;
  std::string lastKey;
  for (qsizetype i = 0; i < bytes.size();) {
    const char c = bytes[i];
    if (c == '"') {
      const std::string text = JsonString(bytes, i);
      if (levels.empty() || !levels.back().object || !levels.back().keyNext) continue;
      Level& level = levels.back();
      if (!level.keys.insert(text).second) {
        if (level.name.empty()) {
          return Phrase(translate, "SettingsFile",
                        MORVANE_TRANSLATABLE("SettingsFile", "\"%1\" is given twice"),
                        {Printable(text)});
        }
        return Phrase(translate, "SettingsFile",
                      MORVANE_TRANSLATABLE("SettingsFile", "\"%1\" is given twice in \"%2\""),
                      {Printable(text), Printable(level.name)});
      }
      level.keyNext = false;
      lastKey = text;
      continue;
    }
    ++i;
    if (c == '{' || c == '[') {
      std::string name;
      if (!levels.empty()) name = levels.back().object ? lastKey : levels.back().name;
      levels.push_back({c == '{', name, {}});
    } else if ((c == '}' || c == ']') && !levels.empty()) {
      levels.pop_back();
    } else if (c == ',' && !levels.empty() && levels.back().object) {
      levels.back().keyNext = true;
    }
  }
  return {};
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
  if (doc.description) root.insert(QLatin1String("description"), Text(*doc.description));
  return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SettingsRead ParseSettingsJson(const QByteArray& file, const std::string& name,
                               const TranslateText& translate) {
  // Windows editors may begin a UTF-8 file with a byte order mark; it is no part of the JSON.
  const QByteArray bytes = file.startsWith("\xef\xbb\xbf") ? file.mid(3) : file;
  const auto refused = [&](const char* english, std::initializer_list<std::string_view> args) {
    return Failed(name, Phrase(translate, "SettingsFile", english, args));
  };
  if (static_cast<std::size_t>(file.size()) > kMaxSettingsFileBytes) {
    return refused(MORVANE_TRANSLATABLE("SettingsFile",
                                        "refused: larger than 64 KiB, which no settings file is"),
                   {});
  }
  if (bytes.trimmed().isEmpty()) {
    return refused(MORVANE_TRANSLATABLE("SettingsFile", "the file is empty"), {});
  }
  QJsonParseError parseError{};
  const QJsonDocument json = QJsonDocument::fromJson(bytes, &parseError);
  if (parseError.error != QJsonParseError::NoError) {
    return refused(MORVANE_TRANSLATABLE("SettingsFile", "not JSON: %1 at byte %2"),
                   {parseError.errorString().toStdString(), std::to_string(parseError.offset)});
  }
  if (const std::string twice = DuplicateKey(bytes, translate); !twice.empty()) {
    return Failed(name, twice);
  }
  if (!json.isObject()) {
    return refused(
        MORVANE_TRANSLATABLE("SettingsFile", "not a settings file: the JSON is not an object"), {});
  }
  const QJsonObject root = json.object();

  const QJsonValue format = root.value(QLatin1String("format"));
  if (format.toString() != QLatin1String(kSettingsFormat)) {
    return refused(
        MORVANE_TRANSLATABLE("SettingsFile", "not a settings file: \"%1\" must be \"%2\""),
        {"format", kSettingsFormat});
  }
  const QJsonValue version = root.value(QLatin1String("version"));
  if (!version.isDouble()) {
    return refused(MORVANE_TRANSLATABLE("SettingsFile", "\"%1\" must be a number"), {"version"});
  }
  if (version.toDouble() != kSettingsVersion) {
    return refused(
        MORVANE_TRANSLATABLE("SettingsFile",
                             "version %1 is not supported; this program reads version %2"),
        {QString::number(version.toDouble()).toStdString(), std::to_string(kSettingsVersion)});
  }
  const QJsonValue settings = root.value(QLatin1String("settings"));
  if (!settings.isObject()) {
    return refused(MORVANE_TRANSLATABLE("SettingsFile", "\"%1\" must be an object"), {"settings"});
  }

  std::vector<SettingEntry> entries;
  const QJsonObject given = settings.toObject();
  for (auto it = given.begin(); it != given.end(); ++it) {
    entries.push_back({it.key().toStdString(), TextOf(it.value())});
  }
  const ParsedSettings parsed = ParseSettings(entries, translate);
  if (!parsed.error.empty()) return Failed(name, parsed.error);

  SettingsDocument doc;
  doc.values = parsed.values;
  doc.model = TextOf(root.value(QLatin1String("model")));
  doc.firmware = TextOf(root.value(QLatin1String("firmware")));
  doc.saved = TextOf(root.value(QLatin1String("saved"))).value_or(std::string());
  doc.description = TextOf(root.value(QLatin1String("description")));
  return {doc, {}};
}

SettingsRead ReadSettingsFile(const std::string& path, const TranslateText& translate) {
  std::string error;
  // One byte past the limit is enough to refuse; a huge file is never read whole.
  const std::optional<std::string> bytes =
      ReadRegularFile(path, kMaxSettingsFileBytes + 1, &error, translate);
  if (!bytes) {
    return Failed(path, Phrase(translate, "SettingsFile",
                               MORVANE_TRANSLATABLE("SettingsFile", "cannot read: %1"), {error}));
  }
  return ParseSettingsJson(QByteArray::fromStdString(*bytes), path, translate);
}

std::string WriteSettingsFile(const std::string& path, const SettingsDocument& doc,
                              const TranslateText& translate, Existing existing) {
  const QByteArray json = SettingsJson(doc);
  const std::string error = WriteWholeFile(
      path, std::string_view(json.constData(), static_cast<std::size_t>(json.size())), translate,
      existing);
  if (error.empty()) return error;
  return Printable(path) + ": " +
         Phrase(translate, "SettingsFile", MORVANE_TRANSLATABLE("SettingsFile", "cannot write: %1"),
                {error});
}

std::string UtcNow() {
  return QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
}

}  // namespace morvane

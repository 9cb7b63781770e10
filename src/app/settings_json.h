// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files as JSON: what the model of src/settings says, in a file of at most 64 KiB,
// written atomically. Every error is one line that names the file.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>

#include "settings/settings_file.h"

namespace morvane {

// The file's text, UTF-8.
QByteArray SettingsJson(const SettingsDocument& doc);

struct SettingsRead {
  std::optional<SettingsDocument> document;
  std::string error;  // set when document is empty
};

// A file's bytes; `name` starts every error. Reading is strict: anything that is not a
// whole, valid settings file is an error and yields no settings at all.
SettingsRead ParseSettingsJson(const QByteArray& bytes, const QString& name);
SettingsRead ReadSettingsFile(const QString& path);

// Writes the file atomically: a reader sees the old file or the whole new one. Returns the
// error, empty when written.
std::string WriteSettingsFile(const QString& path, const SettingsDocument& doc);

// Now, UTC, ISO 8601 to the second: the "saved" of a file.
std::string UtcNow();

}  // namespace morvane

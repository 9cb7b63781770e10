// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files as JSON: what the model of src/settings says, in a file of at most 64 KiB,
// written atomically. Every error is one line that names the file.
#pragma once

#include <QByteArray>
#include <optional>
#include <string>

#include "settings/settings_file.h"
#include "shell/safe_file.h"

namespace morvane {

// The file's text, UTF-8.
QByteArray SettingsJson(const SettingsDocument& doc);

struct SettingsRead {
  std::optional<SettingsDocument> document;
  std::string error;  // set when document is empty
};

// A file's bytes; `name` (bytes, shown readably) starts every error. Reading is strict:
// anything that is not a whole, valid settings file is an error and yields no settings at
// all, also a key given twice, which a JSON object would quietly take as the last one. A UTF-8
// byte order mark before it and CR LF line ends, as Windows editors save, are taken.
SettingsRead ParseSettingsJson(const QByteArray& bytes, const std::string& name,
                               const TranslateText& translate = {});
// `path` is bytes, as the system takes them. Only a regular file is read: a named pipe or a
// device is refused before anything could wait on it.
SettingsRead ReadSettingsFile(const std::string& path, const TranslateText& translate = {});

// Writes the file atomically: a reader sees the old file or the whole new one (see
// safe_file.h); with Existing::Keep only where no file is. Returns the error, empty when
// written.
std::string WriteSettingsFile(const std::string& path, const SettingsDocument& doc,
                              const TranslateText& translate = {},
                              Existing existing = Existing::Replace);

// Now, UTC, ISO 8601 to the second: the "saved" of a file.
std::string UtcNow();

}  // namespace morvane

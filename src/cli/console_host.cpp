// SPDX-License-Identifier: GPL-3.0-or-later
#include "console_host.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "settings_json.h"

namespace morvane::cli {

void ReportError(const std::string& line) {
  std::fprintf(stderr, "morvane-esc: %s\n", line.c_str());
  std::fflush(stderr);
}

void ConsoleHost::print(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

void ConsoleHost::report(const std::string& line) {
  ReportError(line);
}

void ConsoleHost::printDocument(const SettingsDocument& doc) {
  SettingsDocument stamped = doc;
  stamped.saved = UtcNow();
  const QByteArray json = SettingsJson(stamped);
  std::fwrite(json.constData(), 1, static_cast<std::size_t>(json.size()), stdout);
  std::fflush(stdout);
}

std::string ConsoleHost::saveDocument(const SettingsDocument& doc) {
  SettingsDocument stamped = doc;
  stamped.saved = UtcNow();
  return WriteSettingsFile(QFile::decodeName(file_.c_str()), stamped);
}

void ConsoleHost::finished(int status) {
  QCoreApplication::exit(status);
}

}  // namespace morvane::cli

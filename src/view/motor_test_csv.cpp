// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/motor_test_csv.h"

#include "shell/window_language.h"

namespace morvane {
namespace {

bool Done(const std::string& failure, QString* error) {
  if (failure.empty()) return true;
  if (error != nullptr) *error = QString::fromStdString(failure);
  return false;
}

}  // namespace

bool CsvFile::open(const std::string& path, QString* error) {
  // Its later reasons too (a deleted or moved file) come in the window's language.
  return Done(file_.open(path, InWindowLanguage), error);
}

bool CsvFile::writeLine(const std::string& line, QString* error) {
  return Done(file_.append(line + "\n"), error);
}

bool CsvFile::close(QString* error) {
  return Done(file_.close(), error);
}

bool SaveCsv(const std::string& path, const std::vector<std::string>& lines, QString* error) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return Done(WriteWholeFile(path, text, InWindowLanguage), error);
}

}  // namespace morvane

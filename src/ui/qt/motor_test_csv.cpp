// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt/motor_test_csv.h"

#include <QSaveFile>

namespace morvane {

bool CsvFile::open(const QString& path, QString* error) {
  file_.close();
  file_.setFileName(path);
  if (file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) return true;
  *error = file_.errorString();
  return false;
}

bool CsvFile::writeLine(const std::string& line, QString* error) {
  const std::string text = line + "\n";
  if (file_.write(text.data(), static_cast<qint64>(text.size())) ==
          static_cast<qint64>(text.size()) &&
      file_.flush()) {
    return true;
  }
  *error = file_.errorString();
  return false;
}

bool SaveCsv(const QString& path, const std::vector<std::string>& lines, QString* error) {
  QSaveFile file(path);
  if (file.open(QIODevice::WriteOnly)) {
    for (const std::string& line : lines) {
      const std::string text = line + "\n";
      file.write(text.data(), static_cast<qint64>(text.size()));
    }
    if (file.commit()) return true;
  }
  *error = file.errorString();
  return false;
}

}  // namespace morvane

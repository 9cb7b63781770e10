// SPDX-License-Identifier: GPL-3.0-or-later
// The motor test's CSV files: a recording written a line at a time, each line handed to
// the system at once so that nothing written is lost if the program ends, and a sweep's
// table saved whole.
#pragma once

#include <QFile>
#include <QString>
#include <string>
#include <vector>

namespace morvane {

class CsvFile {
 public:
  // Makes the file anew; false, with the system's reason in error, when it cannot.
  bool open(const QString& path, QString* error);
  // The line and a line break, flushed; false, with the reason, when the write failed.
  bool writeLine(const std::string& line, QString* error);
  void close() { file_.close(); }
  bool isOpen() const { return file_.isOpen(); }
  QString path() const { return file_.fileName(); }

 private:
  QFile file_;
};

// Replaces the file only once every line is written.
bool SaveCsv(const QString& path, const std::vector<std::string>& lines, QString* error);

}  // namespace morvane

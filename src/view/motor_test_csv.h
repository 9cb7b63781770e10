// SPDX-License-Identifier: GPL-3.0-or-later
// The motor test's CSV files: a recording written a line at a time, each line handed to
// the system at once so that nothing written is lost if the program ends, and a sweep's
// table saved whole. Names are bytes, as the system takes them; both are written as every
// file of the programs is (app/safe_file.h): only over a regular file, and the old one kept
// until the new one holds its first line (the recording) or every line (the table). Why one
// failed is told in the window's language.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "shell/safe_file.h"

namespace morvane {

class CsvFile {
 public:
  // Makes the file anew; false, with the reason in error, when it cannot.
  bool open(const std::string& path, QString* error);
  // The line and a line break, handed to the system; false, with the reason, when the
  // write failed or the file is no longer found at its name (deleted, or replaced).
  bool writeLine(const std::string& line, QString* error);
  // On disk and closed; false, with the reason, when the final flush failed.
  bool close(QString* error = nullptr);
  bool isOpen() const { return file_.isOpen(); }
  const std::string& path() const { return file_.path(); }

 private:
  GrowingFile file_;
};

// Replaces the file only once every line is written.
bool SaveCsv(const std::string& path, const std::vector<std::string>& lines, QString* error);

}  // namespace morvane

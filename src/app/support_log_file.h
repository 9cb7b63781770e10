// SPDX-License-Identifier: GPL-3.0-or-later
// The support log on disk: wall-clock stamps for the window's clock, the --log file that takes
// every line as it comes, and a saved copy of the lines kept in memory.
#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>
#include <functional>
#include <string>

#include "supportlog/support_log.h"

namespace morvane {

// The clock's milliseconds as UTC, ISO 8601 with milliseconds: "2026-12-07T16:45:00.123Z".
class LogStamps {
 public:
  explicit LogStamps(const Clock& clock);
  QString stamp(std::int64_t ms) const;
  // "stamp text\n"
  QByteArray line(const LogLine& line) const;

 private:
  QDateTime start_;
  std::int64_t startMs_;
};

// The file named by --log: the header, then each line appended and handed to the system as it
// is written, so nothing is lost when the program ends. The first failure is told once and
// the file is written no more; the window goes on.
class SupportLogFile {
 public:
  using Report = std::function<void(const QString& message)>;
  // Reports to standard error unless told otherwise.
  SupportLogFile(const QString& path, const LogStamps& stamps, Report report = {});

  bool open(const std::string& header);
  void write(const LogLine& line);
  bool failed() const { return failed_; }

 private:
  void fail(const QString& why);

  QString path_;
  QFile file_;
  const LogStamps& stamps_;
  Report report_;
  bool failed_ = false;
};

// Writes the header and the kept lines to `path` whole or not at all. Empty on success, else
// why not.
QString SaveSupportLog(const QString& path, const std::string& header, const SupportLog& log,
                       const LogStamps& stamps);

}  // namespace morvane

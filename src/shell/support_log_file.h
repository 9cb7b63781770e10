// SPDX-License-Identifier: GPL-3.0-or-later
// The support log on disk: wall-clock stamps for the window's clock, the --log file that takes
// every line as it comes, and a saved copy of the lines kept in memory.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "link/translatable.h"
#include "supportlog/support_log.h"

class QSocketNotifier;

namespace morvane {

// The clock's milliseconds as UTC, ISO 8601 with milliseconds: "2026-12-07T16:45:00.123Z".
class LogStamps {
 public:
  explicit LogStamps(const Clock& clock);
  QString stamp(std::int64_t ms) const;
  // "stamp text" and the system's line end (line_end.h)
  QByteArray line(const LogLine& line) const;

 private:
  QDateTime start_;
  std::int64_t startMs_;
};

// The file named by --log: the header, then each line appended and handed to the system as it
// is written, so nothing is lost when the program ends. The first failure (also a file that
// was deleted) is told once and the file is written no more; the window goes on.
//
// A regular file is appended to; a stream (a terminal, a named pipe a program reads) is
// allowed too. Neither may ever hold up the window, whose event loop drives a motor: the file
// is opened without waiting (a named pipe that no program reads is a failure at once), and a
// stream's reader that does not keep up has the lines held for it (up to kMaxBacklog bytes)
// until it can take them again; past that, the log fails. Anything else at the name (a
// folder, a device that is no terminal) is refused.
class SupportLogFile {
 public:
  using Report = std::function<void(const QString& message)>;
  // Reports to standard error unless told otherwise.
  // `path` is bytes, as the command line gave it.
  SupportLogFile(const std::string& path, const LogStamps& stamps, Report report = {});
  ~SupportLogFile();
  SupportLogFile(const SupportLogFile&) = delete;
  SupportLogFile& operator=(const SupportLogFile&) = delete;

  bool open(const std::string& header);
  void write(const LogLine& line);
  bool failed() const { return failed_; }

  static constexpr qsizetype kMaxBacklog = 1 << 20;

 private:
  void send(const QByteArray& bytes);
  void fail(const QString& why);

  std::string path_;
#if defined(Q_OS_UNIX)
  void drain();
  int fd_ = -1;
  bool regular_ = false;  // a file, which must keep its name; not a stream
  QByteArray backlog_;    // what a stream's reader has not taken yet
  std::unique_ptr<QSocketNotifier> writable_;
#else
  QFile file_;
#endif
  const LogStamps& stamps_;
  Report report_;
  bool failed_ = false;
};

// Writes the header (its lines end in "\n"; the file's as the system ends them) and the kept
// lines to `path` whole or not at all, as every file of the programs is written (safe_file.h).
// Empty on success, else why not.
// The reason comes in the language of `translate`; the log itself is English.
QString SaveSupportLog(const QString& path, const std::string& header, const SupportLog& log,
                       const LogStamps& stamps, const TranslateText& translate = {});

}  // namespace morvane

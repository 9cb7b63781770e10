// SPDX-License-Identifier: GPL-3.0-or-later
#include "support_log_file.h"

#include <QSaveFile>
#include <cstdio>

#if defined(Q_OS_UNIX)
#include <fcntl.h>

#include <cerrno>
#include <cstring>
#endif

namespace morvane {

LogStamps::LogStamps(const Clock& clock)
    : start_(QDateTime::currentDateTimeUtc()), startMs_(clock.elapsedMs()) {}

QString LogStamps::stamp(std::int64_t ms) const {
  return start_.addMSecs(ms - startMs_).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
}

QByteArray LogStamps::line(const LogLine& line) const {
  QByteArray bytes = stamp(line.ms).toLatin1();
  bytes += ' ';
  bytes += QByteArray::fromStdString(line.text);
  bytes += '\n';
  return bytes;
}

SupportLogFile::SupportLogFile(const QString& path, const LogStamps& stamps, Report report)
    : path_(path), stamps_(stamps), report_(std::move(report)) {
  if (!report_) {
    report_ = [](const QString& message) {
      std::fprintf(stderr, "morvane-esc-config: %s\n", message.toLocal8Bit().constData());
    };
  }
}

bool SupportLogFile::open(const std::string& header) {
  // Unbuffered: each write reaches the system at once.
#if defined(Q_OS_UNIX)
  // The system appends, which also suits a terminal or a pipe (--log /dev/stderr), where
  // Qt's own append would try to seek.
  const int fd =
      ::open(QFile::encodeName(path_).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) {
    fail(QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  const bool opened =
      file_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle);
#else
  file_.setFileName(path_);
  const bool opened = file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered);
#endif
  if (!opened) {
    fail(file_.errorString());
    return false;
  }
  const QByteArray bytes = QByteArray::fromStdString(header);
  if (file_.write(bytes) != bytes.size()) fail(file_.errorString());
  return !failed_;
}

void SupportLogFile::write(const LogLine& line) {
  if (failed_ || !file_.isOpen()) return;
  const QByteArray bytes = stamps_.line(line);
  if (file_.write(bytes) != bytes.size()) fail(file_.errorString());
}

void SupportLogFile::fail(const QString& why) {
  failed_ = true;
  file_.close();
  report_(QStringLiteral("the support log %1 cannot be written (%2); it is written no more")
              .arg(path_, why));
}

QString SaveSupportLog(const QString& path, const std::string& header, const SupportLog& log,
                       const LogStamps& stamps) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  QByteArray bytes = QByteArray::fromStdString(header);
  bytes.reserve(static_cast<qsizetype>(header.size() + log.bytes()));
  for (const LogLine& line : log.lines()) bytes += stamps.line(line);
  if (file.write(bytes) != bytes.size() || !file.commit()) return file.errorString();
  return {};
}

}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/support_log_file.h"

#include <cstdio>

#include "shell/safe_file.h"
#include "link/printable.h"
#include "supportlog/line_end.h"

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

#include "link/system_message.h"
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
  bytes += QByteArray::fromStdString(line.text());
  const std::string_view end = TextLineEnd();
  bytes.append(end.data(), static_cast<qsizetype>(end.size()));
  return bytes;
}

SupportLogFile::SupportLogFile(const std::string& path, const LogStamps& stamps, Report report)
    : path_(path), stamps_(stamps), report_(std::move(report)) {
  if (!report_) {
    report_ = [](const QString& message) {
      std::fprintf(stderr, "morvane-esc-config: %s\n", message.toLocal8Bit().constData());
    };
  }
}

void SupportLogFile::write(const LogLine& line) {
  send(stamps_.line(line));
}

#if defined(Q_OS_UNIX)

SupportLogFile::~SupportLogFile() {
  if (writable_) writable_->setEnabled(false);
  // One last try for lines still held; a reader that takes none does not keep us.
  if (fd_ >= 0 && !backlog_.isEmpty()) {
    [[maybe_unused]] const ssize_t n =
        ::write(fd_, backlog_.constData(), static_cast<std::size_t>(backlog_.size()));
  }
  if (fd_ >= 0) ::close(fd_);
}

bool SupportLogFile::open(const std::string& header) {
  // The system appends, which also suits a terminal or a pipe (--log /dev/stderr). Nothing
  // here may wait: not for a reader of a named pipe, nor for a device.
  bool made = false;
  fd_ = OpenToAppend(path_, O_NOCTTY | O_NONBLOCK, &made);
  if (fd_ < 0) {
    const int error = errno;
    struct stat st {};
    if (::stat(path_.c_str(), &st) == 0 && S_ISFIFO(st.st_mode) && error == ENXIO) {
      fail(QStringLiteral("a named pipe that no program reads"));
    } else if (::stat(path_.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
      fail(QString::fromStdString(NotAFile(st.st_mode)));
    } else {
      fail(QString::fromStdString(SystemMessage(error)));
    }
    return false;
  }
  struct stat st {};
  if (::fstat(fd_, &st) != 0) {
    fail(QString::fromStdString(SystemMessage(errno)));
    return false;
  }
  regular_ = S_ISREG(st.st_mode);
  const bool stream = S_ISFIFO(st.st_mode) || (S_ISCHR(st.st_mode) && ::isatty(fd_) == 1);
  if (!S_ISREG(st.st_mode) && !stream) {
    fail(QString::fromStdString(NotAFile(st.st_mode)));
    return false;
  }
  send(QByteArray::fromStdString(WithLineEnds(header)));
  // A new file whose header could not be written is not left behind.
  if (failed_ && made) RemoveMade(path_, st);
  return !failed_;
}

void SupportLogFile::send(const QByteArray& bytes) {
  if (failed_ || fd_ < 0) return;
  if (regular_) {
    if (const std::string gone = Unlinked(fd_); !gone.empty()) {
      fail(QString::fromStdString(gone));
      return;
    }
  }
  if (!backlog_.isEmpty()) {
    backlog_ += bytes;
    if (backlog_.size() > kMaxBacklog) fail(QStringLiteral("its reader has not kept up"));
    return;
  }
  qsizetype done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::write(fd_, bytes.constData() + done, static_cast<std::size_t>(bytes.size() - done));
    if (n > 0) {
      done += n;
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      // A stream that is full: the rest waits for its reader, the window does not.
      backlog_ = bytes.mid(done);
      if (!writable_) {
        writable_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Write);
        QObject::connect(writable_.get(), &QSocketNotifier::activated, [this] { drain(); });
      }
      writable_->setEnabled(true);
      return;
    } else {
      fail(QString::fromStdString(SystemMessage(n < 0 ? errno : EIO)));
      return;
    }
  }
}

void SupportLogFile::drain() {
  writable_->setEnabled(false);
  QByteArray held;
  held.swap(backlog_);
  send(held);
}

void SupportLogFile::fail(const QString& why) {
  failed_ = true;
  backlog_.clear();
  // Not deleted here: this may run inside the notifier's own signal.
  if (writable_) writable_->setEnabled(false);
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  report_(QStringLiteral("the support log %1 cannot be written (%2); it is written no more")
              .arg(QString::fromStdString(Printable(path_)), why));
}

#else

SupportLogFile::~SupportLogFile() = default;

bool SupportLogFile::open(const std::string& header) {
  // Unbuffered: each write reaches the system at once.
  file_.setFileName(QFile::decodeName(path_.c_str()));
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
    fail(file_.errorString());
    return false;
  }
  send(QByteArray::fromStdString(WithLineEnds(header)));
  return !failed_;
}

void SupportLogFile::send(const QByteArray& bytes) {
  if (failed_ || !file_.isOpen()) return;
  if (file_.write(bytes) != bytes.size()) fail(file_.errorString());
}

void SupportLogFile::fail(const QString& why) {
  failed_ = true;
  file_.close();
  report_(QStringLiteral("the support log %1 cannot be written (%2); it is written no more")
              .arg(QString::fromStdString(Printable(path_)), why));
}

#endif

QString SaveSupportLog(const QString& path, const std::string& header, const SupportLog& log,
                       const LogStamps& stamps, const TranslateText& translate) {
  std::string bytes = WithLineEnds(header);
  bytes.reserve(bytes.size() + log.bytes());
  for (const LogLine& line : log.lines()) bytes += stamps.line(line).toStdString();
  return QString::fromStdString(
      WriteWholeFile(QFile::encodeName(path).toStdString(), bytes, translate));
}

}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/safe_file.h"

#include "settings/file_name_check.h"

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <random>
#else
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#endif

#include "link/system_message.h"

namespace morvane {

#if defined(Q_OS_UNIX)

std::string KindOfNode(mode_t mode, const TranslateText& translate) {
  const char* kind = MORVANE_TRANSLATABLE("SafeFile", "not a regular file");
  if (S_ISDIR(mode)) kind = MORVANE_TRANSLATABLE("SafeFile", "a folder");
  if (S_ISCHR(mode)) kind = MORVANE_TRANSLATABLE("SafeFile", "a character device");
  if (S_ISBLK(mode)) kind = MORVANE_TRANSLATABLE("SafeFile", "a block device");
  if (S_ISFIFO(mode)) kind = MORVANE_TRANSLATABLE("SafeFile", "a named pipe");
  if (S_ISSOCK(mode)) kind = MORVANE_TRANSLATABLE("SafeFile", "a socket");
  if (S_ISLNK(mode)) kind = MORVANE_TRANSLATABLE("SafeFile", "a symbolic link");
  return Phrase(translate, "SafeFile", kind);
}

std::string NotAFile(mode_t mode, const TranslateText& translate) {
  return Phrase(translate, "SafeFile", MORVANE_TRANSLATABLE("SafeFile", "not a file but %1"),
                {KindOfNode(mode, translate)});
}

std::string Unlinked(int fd, const TranslateText& translate) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || st.st_nlink != 0) return {};
  return Phrase(translate, "SafeFile", MORVANE_TRANSLATABLE("SafeFile", "the file was deleted"));
}

int OpenToAppend(const std::string& path, int flags, bool* made) {
  flags |= O_WRONLY | O_APPEND | O_CLOEXEC;
  *made = false;
  const int fd = ::open(path.c_str(), flags);
  if (fd >= 0 || errno != ENOENT) return fd;
  const int fresh = ::open(path.c_str(), flags | O_CREAT | O_EXCL, 0666);
  if (fresh >= 0 || errno != EEXIST) {
    *made = fresh >= 0;
    return fresh;
  }
  // Made by another a moment ago, or a link that leads where nothing is yet (which O_EXCL does
  // not follow): opened, or made through the link, as it is.
  return ::open(path.c_str(), flags | O_CREAT, 0666);
}

void RemoveMade(const std::string& path, const struct stat& made) {
  struct stat named {};
  if (::lstat(path.c_str(), &named) == 0 && named.st_dev == made.st_dev &&
      named.st_ino == made.st_ino) {
    ::unlink(path.c_str());
  }
}

namespace {

std::string Refused(mode_t mode, const TranslateText& translate) {
  return Phrase(translate, "SafeFile",
                MORVANE_TRANSLATABLE("SafeFile", "not a file but %1; left as it is"),
                {KindOfNode(mode, translate)});
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name a chain of links leads to; the name itself when it is no link or not there.
bool FollowLinks(const std::string& path, std::string* target, std::string* error,
                 const TranslateText& translate) {
  std::string name = path;
  for (int hops = 0;; ++hops) {
    struct stat st {};
    if (::lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
      *target = name;
      return true;
    }
    if (hops == 40) {
      *error = SystemMessage(ELOOP, translate);
      return false;
    }
    std::string link(static_cast<std::size_t>(st.st_size) + 256, '\0');
    const ssize_t n = ::readlink(name.c_str(), link.data(), link.size());
    if (n < 0) {
      *error = SystemMessage(errno, translate);
      return false;
    }
    if (static_cast<std::size_t>(n) == link.size()) continue;  // grew meanwhile: read again
    link.resize(static_cast<std::size_t>(n));
    name = link.front() == '/' ? link : FolderOf(name) + "/" + link;
  }
}

bool WriteAll(int fd, std::string_view bytes, std::string* error, const TranslateText& translate) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      *error = SystemMessage(n < 0 ? errno : EIO, translate);
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool Sync(int fd, std::string* error, const TranslateText& translate) {
  if (::fsync(fd) == 0) return true;
  *error = SystemMessage(errno, translate);
  return false;
}

bool Close(int& fd, std::string* error, const TranslateText& translate) {
  const int closing = fd;
  fd = -1;
  // Linux closes the descriptor even when close() is interrupted: it is never retried.
  if (::close(closing) == 0 || errno == EINTR) return true;
  *error = SystemMessage(errno, translate);
  return false;
}

std::string RandomSuffix() {
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 engine(
      std::random_device{}() ^
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  std::string suffix(8, ' ');
  for (char& c : suffix) c = kLetters[engine() % (sizeof kLetters - 1)];
  return suffix;
}

// Gives `temp` the name `target` only where no file has it, also one made a moment ago; the
// name `temp` is gone once it has. False with errno (EEXIST) when `target` is taken.
bool PlaceBeside(const std::string& temp, const std::string& target) {
#if defined(RENAME_NOREPLACE)
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  // A file system that cannot do it in one step (or an older kernel) takes the link below.
  if (errno != EINVAL && errno != ENOSYS) return false;
#endif
  if (::link(temp.c_str(), target.c_str()) != 0) return false;
  ::unlink(temp.c_str());
  return true;
}

// A new file beside the one it is to replace, which takes its place only once complete.
struct Replacement {
  std::string target;
  std::string temp;
  int fd = -1;

  Replacement() = default;
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;
  ~Replacement() { abandon(); }
  TranslateText translate;  // the window's language for the refusals; empty: English
  bool keep = false;        // a file at the name stays: the new one takes no file's place

  bool prepare(const std::string& path, std::string* error);
  // On disk and in the target's place; the descriptor stays open.
  bool place(std::string* error);
  void abandon();
};

bool Replacement::prepare(const std::string& path, std::string* error) {
  if (!FollowLinks(path, &target, error, translate)) return false;
  const std::string base = BaseOf(target);
  if (base.empty() || base == "." || base == "..") {
    *error = NotAFile(S_IFDIR, translate);
    return false;
  }
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) {
    *error = SystemMessage(errno, translate);
    return false;
  }
  if (exists && keep) {
    *error = SystemMessage(EEXIST, translate);
    return false;
  }
  if (exists && !S_ISREG(old.st_mode)) {
    *error = Refused(old.st_mode, translate);
    return false;
  }
  // A file the user may not write stays so, as an editor would keep it (root may).
  if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
    *error = SystemMessage(errno, translate);
    return false;
  }
  // The mode asked for here passes through the umask, as a new file's should.
  const std::string stem = FolderOf(target) + "/." + base.substr(0, 200) + ".";
  for (int attempt = 0; fd < 0; ++attempt) {
    temp = stem + RandomSuffix();
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0 && (errno != EEXIST || attempt == 100)) {
      *error = SystemMessage(errno, translate);
      temp.clear();
      return false;
    }
  }
  if (!exists) return true;
  struct stat made {};
  if (::fstat(fd, &made) != 0) {
    *error = SystemMessage(errno, translate);
    return false;
  }
  // The owner first: a change of owner clears the set-id bits of the mode.
  if (::geteuid() == 0 && (made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
      ::fchown(fd, old.st_uid, old.st_gid) != 0) {
    *error = SystemMessage(errno, translate);
    return false;
  }
  if ((made.st_mode & 07777) != (old.st_mode & 07777) && ::fchmod(fd, old.st_mode & 07777) != 0) {
    *error = SystemMessage(errno, translate);
    return false;
  }
  return true;
}

bool Replacement::place(std::string* error) {
  if (!Sync(fd, error, translate)) return false;
  // What took the name meanwhile is refused as it would have been at the start.
  struct stat now {};
  if (::stat(target.c_str(), &now) == 0 && !S_ISREG(now.st_mode)) {
    *error = Refused(now.st_mode, translate);
    return false;
  }
  if (keep ? !PlaceBeside(temp, target) : ::rename(temp.c_str(), target.c_str()) != 0) {
    *error = SystemMessage(errno, translate);
    return false;
  }
  temp.clear();
  // The rename reaches the disk with its folder; where a folder cannot be synced the file is
  // in place all the same, so this one is not reported.
  const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

void Replacement::abandon() {
  if (fd >= 0) ::close(fd);
  fd = -1;
  if (!temp.empty()) ::unlink(temp.c_str());
  temp.clear();
}

}  // namespace

std::string WriteWholeFile(const std::string& path, std::string_view bytes,
                           const TranslateText& translate, Existing existing) {
  Replacement file;
  file.translate = translate;
  file.keep = existing == Existing::Keep;
  std::string error;
  if (!file.prepare(path, &error) || !WriteAll(file.fd, bytes, &error, translate) ||
      !file.place(&error) || !Close(file.fd, &error, translate)) {
    return error;
  }
  return {};
}

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit,
                                           std::string* error, const TranslateText& translate) {
  // Refused before any open that could wait for a writer (a named pipe) or a device.
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    *error = SystemMessage(errno, translate);
    return std::nullopt;
  }
  if (!S_ISREG(st.st_mode)) {
    *error = NotAFile(st.st_mode, translate);
    return std::nullopt;
  }
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    *error = SystemMessage(errno, translate);
    return std::nullopt;
  }
  std::string bytes;
  // What the name held when opened, should it have changed since the look above.
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    *error =
        S_ISREG(st.st_mode) ? SystemMessage(errno, translate) : NotAFile(st.st_mode, translate);
    ::close(fd);
    return std::nullopt;
  }
  char buffer[16384];
  while (bytes.size() < limit) {
    const ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - bytes.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *error = SystemMessage(errno, translate);
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return bytes;
}

GrowingFile::~GrowingFile() {
  close();
}

bool GrowingFile::isOpen() const {
  return fd_ >= 0;
}

std::string GrowingFile::open(const std::string& path, TranslateText translate) {
  close();
  path_ = path;
  translate_ = std::move(translate);
  Replacement file;
  file.translate = translate_;
  std::string error;
  if (!file.prepare(path, &error)) return error;
  target_ = file.target;
  temp_ = std::move(file.temp);
  fd_ = file.fd;
  file.temp.clear();
  file.fd = -1;
  return {};
}

std::string GrowingFile::append(std::string_view bytes) {
  if (fd_ < 0) return SystemMessage(EBADF, translate_);
  std::string error;
  if (temp_.empty()) {
    // Cheap enough for every line: is the file still there, under its name?
    struct stat named {};
    if (::stat(target_.c_str(), &named) == 0) {
      if (named.st_dev != dev_ || named.st_ino != ino_) {
        error = Phrase(translate_, "SafeFile",
                       MORVANE_TRANSLATABLE("SafeFile", "another file took its name"));
      }
    } else if (error = Unlinked(fd_, translate_); error.empty()) {
      error =
          Phrase(translate_, "SafeFile", MORVANE_TRANSLATABLE("SafeFile", "the file was moved"));
    }
    if (error.empty() && WriteAll(fd_, bytes, &error, translate_)) return {};
    close();
    return error;
  }
  Replacement file;
  file.translate = translate_;
  file.target = target_;
  file.temp = std::move(temp_);
  file.fd = fd_;
  temp_.clear();
  fd_ = -1;
  struct stat placed {};
  if (!WriteAll(file.fd, bytes, &error, translate_) || !file.place(&error)) return error;
  if (::fstat(file.fd, &placed) != 0) return SystemMessage(errno, translate_);
  dev_ = placed.st_dev;
  ino_ = placed.st_ino;
  fd_ = file.fd;
  file.fd = -1;
  return {};
}

std::string GrowingFile::close() {
  if (fd_ < 0) return {};
  if (!temp_.empty()) {
    ::close(fd_);
    fd_ = -1;
    ::unlink(temp_.c_str());
    temp_.clear();
    return {};
  }
  std::string error;
  if (!Sync(fd_, &error, translate_)) {
    ::close(fd_);
    fd_ = -1;
    return error;
  }
  Close(fd_, &error, translate_);
  return error;
}

#else

// Elsewhere Qt's own: QSaveFile replaces a file whole; names go through the local encoding.
// A name Windows refuses or changes is refused before anything is made.
std::string WriteWholeFile(const std::string& path, std::string_view bytes,
                           const TranslateText& translate, Existing existing) {
  if (std::string trouble = FileNameTrouble(path, translate); !trouble.empty()) return trouble;
  if (existing == Existing::Keep && QFileInfo::exists(QFile::decodeName(path.c_str()))) {
    return SystemMessage(EEXIST, translate);
  }
  QSaveFile file(QFile::decodeName(path.c_str()));
  if (!file.open(QIODevice::WriteOnly)) return file.errorString().toStdString();
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
          static_cast<qint64>(bytes.size()) ||
      !file.commit()) {
    return file.errorString().toStdString();
  }
  return {};
}

std::optional<std::string> ReadRegularFile(const std::string& path, std::size_t limit,
                                           std::string* error, const TranslateText& translate) {
  const QString name = QFile::decodeName(path.c_str());
  if (QFileInfo(name).exists() && !QFileInfo(name).isFile()) {
    *error = Phrase(translate, "SafeFile", MORVANE_TRANSLATABLE("SafeFile", "not a file"));
    return std::nullopt;
  }
  QFile file(name);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = file.errorString().toStdString();
    return std::nullopt;
  }
  const QByteArray bytes = file.read(static_cast<qint64>(limit));
  if (file.error() != QFileDevice::NoError) {
    *error = file.errorString().toStdString();
    return std::nullopt;
  }
  return bytes.toStdString();
}

GrowingFile::~GrowingFile() {
  close();
}

bool GrowingFile::isOpen() const {
  return file_ && file_->isOpen();
}

std::string GrowingFile::open(const std::string& path, TranslateText translate) {
  close();
  path_ = path;
  translate_ = std::move(translate);
  if (std::string trouble = FileNameTrouble(path, translate_); !trouble.empty()) return trouble;
  file_ = std::make_unique<QFile>(QFile::decodeName(path.c_str()));
  if (file_->open(QIODevice::WriteOnly | QIODevice::Truncate)) return {};
  return file_->errorString().toStdString();
}

std::string GrowingFile::append(std::string_view bytes) {
  if (!isOpen())
    return Phrase(translate_, "SafeFile", MORVANE_TRANSLATABLE("SafeFile", "not open"));
  if (file_->write(bytes.data(), static_cast<qint64>(bytes.size())) ==
          static_cast<qint64>(bytes.size()) &&
      file_->flush()) {
    return {};
  }
  const std::string error = file_->errorString().toStdString();
  file_->close();
  return error;
}

std::string GrowingFile::close() {
  if (!isOpen()) return {};
  const bool flushed = file_->flush();
  const std::string error = flushed ? std::string() : file_->errorString().toStdString();
  file_->close();
  return error;
}

#endif

}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "shell/safe_file.h"

namespace morvane {
namespace {

std::string Reason(int error) {
  return std::strerror(error);
}

}  // namespace

AppendingFile::~AppendingFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::string AppendingFile::open(const std::string& path, const std::string& header) {
  // Refused before open(): opening a named pipe to write would wait for a reader.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return NotAFile(st.st_mode);
  fd_ = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd_ < 0) return Reason(errno);
  if (::fstat(fd_, &st) != 0) return Reason(errno);
  if (!S_ISREG(st.st_mode)) return NotAFile(st.st_mode);
  if (st.st_size == 0) return append(header);
  std::string error;
  const std::optional<std::string> start = ReadRegularFile(path, header.size(), &error);
  if (!start) return error;
  if (*start != header) {
    ::close(fd_);
    fd_ = -1;
    return "it starts with another header than a batch record's; give a new file or a record "
           "of this program";
  }
  return {};
}

std::string AppendingFile::append(std::string_view line) {
  if (fd_ < 0) return "not open";
  while (!line.empty()) {
    const ssize_t n = ::write(fd_, line.data(), line.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Reason(n < 0 ? errno : EIO);
    line.remove_prefix(static_cast<std::size_t>(n));
  }
  if (::fdatasync(fd_) != 0) return Reason(errno);
  return {};
}

}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/record_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "link/system_message.h"
#include "shell/safe_file.h"

namespace morvane {

AppendingFile::~AppendingFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::string AppendingFile::open(const std::string& path, const std::string& header) {
  // Refused before open(): opening a named pipe to write would wait for a reader.
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return NotAFile(st.st_mode);
  bool made = false;
  fd_ = OpenToAppend(path, O_NONBLOCK, &made);
  if (fd_ < 0) return SystemMessage(errno);
  if (::fstat(fd_, &st) != 0) return SystemMessage(errno);
  if (!S_ISREG(st.st_mode)) return NotAFile(st.st_mode);
  if (st.st_size == 0) {
    const std::string error = append(header);
    // A file of ours that never took its header is not left behind, empty or torn.
    if (!error.empty() && made) RemoveMade(path, st);
    return error;
  }
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
  if (std::string gone = Unlinked(fd_); !gone.empty()) return gone;
  while (!line.empty()) {
    const ssize_t n = ::write(fd_, line.data(), line.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return SystemMessage(n < 0 ? errno : EIO);
    line.remove_prefix(static_cast<std::size_t>(n));
  }
  if (::fdatasync(fd_) != 0) return SystemMessage(errno);
  return {};
}

}  // namespace morvane

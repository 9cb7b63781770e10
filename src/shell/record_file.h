// SPDX-License-Identifier: GPL-3.0-or-later
// A file that keeps growing over runs (a batch's record): opened to append, its first line
// checked to be the expected header (written when the file is new or empty), every line
// written whole and flushed to disk before the next, and none once the file was deleted.
// The reasons are English: only the command line keeps such a file.
#pragma once

#include <string>
#include <string_view>

namespace morvane {

class AppendingFile {
 public:
  AppendingFile() = default;
  AppendingFile(const AppendingFile&) = delete;
  AppendingFile& operator=(const AppendingFile&) = delete;
  ~AppendingFile();

  // `path` is bytes; `header` the first line with its end. Empty when the file is ready,
  // else why not: not a regular file, cannot be opened, or it starts with another header.
  std::string open(const std::string& path, const std::string& header);
  // Empty when `line` is on disk, else why not ("the file was deleted", a full disk).
  std::string append(std::string_view line);

 private:
  int fd_ = -1;
};

}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
// A folder of the test's own in the system's temporary folder, removed with all it holds
// when the test is done, also when it fails.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace morvane::test {

class TempDir {
 public:
  // The folder's name starts with `prefix`.
  explicit TempDir(const std::string& prefix = "morvane") {
    std::string pattern =
        (std::filesystem::temp_directory_path() / (prefix + ".XXXXXX")).string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // Empty when no folder could be made.
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace morvane::test

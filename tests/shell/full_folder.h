// SPDX-License-Identifier: GPL-3.0-or-later
// A small filesystem of a test's own, mounted on a temporary folder and filled to its last
// byte after the files it is to keep: there every write that needs room fails as on a full
// disk. Mounting needs root; ready() is false where it cannot be done.
#pragma once

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace morvane::test {

class FullFolder {
 public:
  using Files = std::vector<std::pair<std::string, std::string>>;  // name, content

  explicit FullFolder(const Files& keep = {}) {
    char made[] = "/tmp/morvane-full-XXXXXX";
    if (::mkdtemp(made) == nullptr) return;
    if (::mount("tmpfs", made, "tmpfs", 0, "size=64k") != 0) {
      ::rmdir(made);
      return;
    }
    dir_ = made;
    for (const auto& [name, content] : keep) Write(path(name), content);
    const int fd = ::open(path("filler").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    const std::string page(4096, 'f');
    while (fd >= 0 && ::write(fd, page.data(), page.size()) > 0) {
    }
    if (fd >= 0) ::close(fd);
  }
  ~FullFolder() {
    if (dir_.empty()) return;
    ::umount2(dir_.c_str(), MNT_DETACH);
    ::rmdir(dir_.c_str());
  }
  FullFolder(const FullFolder&) = delete;
  FullFolder& operator=(const FullFolder&) = delete;

  bool ready() const { return !dir_.empty(); }
  const std::string& dir() const { return dir_; }
  std::string path(const std::string& name) const { return dir_ + "/" + name; }

  static bool Write(const std::string& path, const std::string& content) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written =
        ::write(fd, content.data(), content.size()) == static_cast<ssize_t>(content.size());
    return ::close(fd) == 0 && written;
  }

 private:
  std::string dir_;
};

}  // namespace morvane::test

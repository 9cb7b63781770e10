// SPDX-License-Identifier: GPL-3.0-or-later
#include "pseudo_terminal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace morvane::sim {
namespace {

std::string SystemError(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

}  // namespace

PseudoTerminal::~PseudoTerminal() {
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
}

std::string PseudoTerminal::open() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0) return SystemError("cannot open a pseudo-terminal");
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    return SystemError("cannot unlock the pseudo-terminal");
  }
  const char* name = ::ptsname(master_);
  if (name == nullptr) return SystemError("cannot name the pseudo-terminal");
  path_ = name;
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave_ < 0) return SystemError("cannot open " + path_);

  // Raw bytes both ways: no echo, no line editing, no newline translation.
  termios tio{};
  if (::tcgetattr(slave_, &tio) != 0) return SystemError("cannot read the terminal settings");
  ::cfmakeraw(&tio);
  ::cfsetispeed(&tio, B38400);
  ::cfsetospeed(&tio, B38400);
  if (::tcsetattr(slave_, TCSANOW, &tio) != 0) {
    return SystemError("cannot set the terminal to raw mode");
  }

  const int flags = ::fcntl(master_, F_GETFL);
  if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) {
    return SystemError("cannot make the terminal non-blocking");
  }
  return {};
}

namespace {

// Where the link at path points; empty when it is no link.
std::string LinkTarget(const std::string& path) {
  char buf[4096];
  const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf - 1);
  return n < 0 ? std::string() : std::string(buf, static_cast<std::size_t>(n));
}

// A link a simulator left behind when it was killed: into /dev/pts/, to a terminal that is
// gone or that is ours now (numbers are given again).
bool LeftBehind(const std::string& path, const std::string& ours) {
  const std::string target = LinkTarget(path);
  if (target.rfind("/dev/pts/", 0) != 0) return false;
  struct stat st {};
  return target == ours || (::stat(target.c_str(), &st) != 0 && errno == ENOENT);
}

}  // namespace

DeviceLink::~DeviceLink() {
  struct stat st {};
  if (!link_.empty() && ::lstat(link_.c_str(), &st) == 0 && st.st_dev == device_ &&
      st.st_ino == inode_ && LinkTarget(link_) == target_) {
    ::unlink(link_.c_str());
  }
  if (held_ >= 0) ::close(held_);
}

std::string DeviceLink::make(const std::string& linkPath, const std::string& target) {
  struct stat st {};
  if (::lstat(linkPath.c_str(), &st) == 0) {
    const std::string refused = "--link " + linkPath + ": ";
    if (!S_ISLNK(st.st_mode)) {
      return refused + (S_ISDIR(st.st_mode) ? "a folder" : "a file") +
             " is there; choose another path";
    }
    if (!LeftBehind(linkPath, target)) {
      const std::string to = LinkTarget(linkPath);
      return refused + "a link to " + to + " is there" +
             (to.rfind("/dev/pts/", 0) == 0 ? ", whose terminal is open (another simulator?)"
                                            : "") +
             "; remove it or choose another path";
    }
    if (::unlink(linkPath.c_str()) != 0) return SystemError("cannot replace " + linkPath);
  }
  // Fails rather than replaces should something appear there meanwhile.
  if (::symlink(target.c_str(), linkPath.c_str()) != 0) {
    return SystemError("cannot make the link " + linkPath);
  }
#if defined(O_PATH)
  held_ = ::open(linkPath.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
#endif
  if (::lstat(linkPath.c_str(), &st) != 0) return SystemError("cannot find the link " + linkPath);
  link_ = linkPath;
  target_ = target;
  device_ = st.st_dev;
  inode_ = st.st_ino;
  return {};
}

}  // namespace morvane::sim

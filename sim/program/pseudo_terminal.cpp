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

DeviceLink::~DeviceLink() {
  if (link_.empty()) return;
  char buf[4096];
  const ssize_t n = ::readlink(link_.c_str(), buf, sizeof buf - 1);
  if (n >= 0 && std::string(buf, static_cast<std::size_t>(n)) == target_) ::unlink(link_.c_str());
}

std::string DeviceLink::make(const std::string& linkPath, const std::string& target) {
  struct stat st {};
  if (::lstat(linkPath.c_str(), &st) == 0) {
    if (!S_ISLNK(st.st_mode)) return linkPath + " exists and is not a symbolic link";
    if (::unlink(linkPath.c_str()) != 0) return SystemError("cannot replace " + linkPath);
  }
  if (::symlink(target.c_str(), linkPath.c_str()) != 0) {
    return SystemError("cannot make the link " + linkPath);
  }
  link_ = linkPath;
  target_ = target;
  return {};
}

}  // namespace morvane::sim

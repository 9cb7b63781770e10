// SPDX-License-Identifier: GPL-3.0-or-later
// A pseudo-terminal of the test's own, its far end kept by the test: a serial device that
// comes and goes with the test, not one of the system's.
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

namespace morvane::test {

class Pty {
 public:
  Pty() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0) {
      path_ = ::ptsname(master_);
    }
  }
  ~Pty() { close(); }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  // Empty when no terminal could be made.
  const std::string& path() const { return path_; }
  // The far end, for a test that plays the device.
  int master() const { return master_; }
  // The far end goes: the device node vanishes.
  void close() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string path_;
};

}  // namespace morvane::test

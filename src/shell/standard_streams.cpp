// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/standard_streams.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <errno.h>
#include <fcntl.h>
#endif

namespace morvane {

int GuardStandardStreams() {
  int closed = 0;
#if defined(Q_OS_UNIX)
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free number: this one.
    if (::open("/dev/null", (fd == 0 ? O_RDONLY : O_WRONLY) | O_CLOEXEC) == fd) closed |= 1 << fd;
  }
#endif
  return closed;
}

}  // namespace morvane

// SPDX-License-Identifier: GPL-3.0-or-later
// Another program with a terminal open, under a name of the test's choosing, as ModemManager,
// brltty or minicom would hold a serial port:
//   tty_holder NAME open PATH    opens PATH, nothing more
//   tty_holder NAME flock PATH   opens PATH and takes its advisory lock
//   tty_holder NAME excl PATH    opens PATH and sets the terminal's exclusive mode
// It takes NAME as the system names processes (prctl), says "held" and keeps the device until
// its standard input ends, or, when that is no pipe, until a signal ends it.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  const std::string mode = argv[2];
  if (::prctl(PR_SET_NAME, argv[1], 0, 0, 0) != 0) return 1;
  const int fd = ::open(argv[3], O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return 1;
  if (mode == "flock" && ::flock(fd, LOCK_EX | LOCK_NB) != 0) return 1;
  if (mode == "excl" && ::ioctl(fd, TIOCEXCL) != 0) return 1;
  if (mode != "open" && mode != "flock" && mode != "excl") return 2;
  std::puts("held");
  std::fflush(stdout);
  // A test that gives no pipe on standard input ends the holder by a signal.
  struct stat in {};
  if (::fstat(STDIN_FILENO, &in) != 0 || !S_ISFIFO(in.st_mode)) {
    ::pause();
    return 0;
  }
  char c = 0;
  while (::read(STDIN_FILENO, &c, 1) > 0) {
  }
  return 0;
}

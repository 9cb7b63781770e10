// SPDX-License-Identifier: GPL-3.0-or-later
// Another program on the same device, for the tests of exclusive opens and permissions; the
// tests run it as root or, through runuser, as an unprivileged user.
//   port_helper hold PATH   opens PATH as the window does, says "held", keeps it until stdin ends
//   port_helper flock PATH  opens PATH and holds only an advisory lock on it, the same way
//   port_helper open PATH   opens PATH as the window does and prints the outcome: the kind of
//                           trouble (a number) on one line, its words on the next, then the
//                           port list's tooltip for the path
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "shell/serial_comm.h"
#include "shell/system_ports.h"

namespace {

void WaitForEndOfInput() {
  char c = 0;
  while (::read(STDIN_FILENO, &c, 1) > 0) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace morvane;
  if (argc != 3) return 2;
  const std::string mode = argv[1];
  const std::string path = argv[2];

  if (mode == "flock") {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) return 1;
    std::puts("held");
    std::fflush(stdout);
    WaitForEndOfInput();
    return 0;
  }

  QCoreApplication app(argc, argv);
  const PortTable table = BuildPortTable(
      path, {}, Platform::Linux, [](const std::string& p) { return DescribeDevice(p, {}); });
  SerialComm comm(table);
  comm.setCommPort(1);
  const bool opened = comm.setPortOpen(true);
  if (mode == "hold") {
    if (!opened) return 1;
    std::puts("held");
    std::fflush(stdout);
    WaitForEndOfInput();
    return 0;
  }
  if (mode != "open") return 2;
  std::printf("%d\n%s\n%s\n", static_cast<int>(comm.openFailure().kind),
              TroubleText(comm.openFailure()).c_str(),
              EmptyListTip(table, Platform::Linux).c_str());
  return 0;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "system_ports.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace morvane {
namespace {

TEST(SystemPorts, ListedDevicesAreDescribedByWhatTheyAre) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string pty = ::ptsname(master);
  std::string dir = (std::filesystem::temp_directory_path() / "morvane-ports.XXXXXX").string();
  ASSERT_NE(::mkdtemp(dir.data()), nullptr);
  const std::string link = dir + "/esc";
  std::filesystem::create_symlink(pty, link);
  // A terminal every system has stands in for an adapter the system lists.
  const std::string adapterLink = dir + "/adapter";
  std::filesystem::create_symlink("/dev/tty", adapterLink);
  const std::vector<SerialDevice> system = {{"/dev/tty", "FT232R USB UART (FTDI)", {}}};

  struct Case {
    std::string path;
    std::string description;
  };
  const std::vector<Case> cases = {
      {pty, "pseudo-terminal"},
      {link, "link to " + pty + ", pseudo-terminal"},
      {"/dev/tty", "FT232R USB UART (FTDI)"},
      {adapterLink, "link to /dev/tty, FT232R USB UART (FTDI)"},
      {dir + "/missing", "does not exist now"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DescribeDevice(c.path, system).text, c.description) << c.path;
  }

  std::filesystem::remove_all(dir);
  ::close(master);
}

}  // namespace
}  // namespace morvane

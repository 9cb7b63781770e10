// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/system_ports.h"
#include "temp_dir.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace morvane {
namespace {

TEST(SystemPorts, ListedDevicesAreDescribedByWhatTheyAre) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string pty = ::ptsname(master);
  const test::TempDir temp("morvane-ports");
  ASSERT_FALSE(temp.path().empty());
  const std::string& dir = temp.path();
  const std::string link = dir + "/esc";
  std::filesystem::create_symlink(pty, link);
  // A terminal every system has stands in for an adapter the system lists.
  const std::string adapterLink = dir + "/adapter";
  std::filesystem::create_symlink("/dev/tty", adapterLink);
  const std::vector<SerialDevice> system = {{"/dev/tty", "FT232R USB UART (FTDI)", {}}};

  struct Case {
    std::string path;
    std::string description;
    bool asksTheSystem;  // walking the system's devices is the dearest part of a start
  };
  const std::vector<Case> cases = {
      {pty, "pseudo-terminal", false},
      {link, "link to " + pty + ", pseudo-terminal", false},
      {"/dev/tty", "FT232R USB UART (FTDI)", true},
      {adapterLink, "link to /dev/tty, FT232R USB UART (FTDI)", true},
      {dir + "/missing", "does not exist now", false},
  };
  for (const Case& c : cases) {
    bool asked = false;
    SystemPortList lazy([&] {
      asked = true;
      return system;
    });
    EXPECT_EQ(DescribeDevice(c.path, lazy).text, c.description) << c.path;
    EXPECT_EQ(asked, c.asksTheSystem) << c.path;
  }

  ::close(master);
}

TEST(SystemPorts, TheStartListsTheSystemsPortsOnlyWhenItNeedsThem) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string pty = ::ptsname(master);

  struct Case {
    std::optional<std::string> portList;
    int listings;
    std::string com1;
  };
  const std::vector<Case> cases = {
      {pty + "::/nowhere/esc", 0, pty},
      {std::nullopt, 1, "/dev/tty"},
      {"", 1, "/dev/tty"},
      {"/dev/tty:" + pty, 1, "/dev/tty"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.portList.value_or("(not set)"));
    int listings = 0;
    SystemPortList system([&] {
      ++listings;
      return std::vector<SerialDevice>{{"/dev/tty", "FT232R USB UART (FTDI)", {}}};
    });
    const PortTable table = BuildStartTable(c.portList, Platform::Linux, system);
    ASSERT_NE(table.device(1), nullptr);
    EXPECT_EQ(table.device(1)->path, c.com1);
    EXPECT_EQ(listings, c.listings);
    system.get();
    EXPECT_EQ(listings, 1);  // listed once, kept
  }
  ::close(master);
}

}  // namespace
}  // namespace morvane

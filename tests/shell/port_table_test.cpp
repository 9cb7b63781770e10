// SPDX-License-Identifier: GPL-3.0-or-later
#include "ports/port_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane {
namespace {

std::vector<std::string> Paths(const std::vector<SerialDevice>& devices) {
  std::vector<std::string> paths;
  for (const SerialDevice& d : devices) paths.push_back(d.path);
  return paths;
}

std::vector<SerialDevice> Devices(const std::vector<std::string>& paths) {
  std::vector<SerialDevice> devices;
  for (const std::string& p : paths) devices.push_back({p, "adapter on " + p, {}});
  return devices;
}

DeviceDescription NoDescription(const std::string&) {
  return {};
}

TEST(PortTable, EnvironmentListGivesPortNumbersInOrder) {
  struct Case {
    std::string value;
    std::vector<std::string> paths;
    bool warns;
  };
  const std::vector<Case> cases = {
      {"/dev/ttyUSB0", {"/dev/ttyUSB0"}, false},
      {"/tmp/esc:/dev/ttyUSB0", {"/tmp/esc", "/dev/ttyUSB0"}, false},
      {":/dev/ttyUSB0", {"", "/dev/ttyUSB0"}, false},
      {"/dev/a::/dev/c", {"/dev/a", "", "/dev/c"}, false},
      {"/dev/a:", {"/dev/a"}, false},
      {"", {}, false},
      {"/a:/b:/c:/d:/e:/f:/g:/h:/i:/j:/k:/l:/m:/n:/o:/p",
       {"/a", "/b", "/c", "/d", "/e", "/f", "/g", "/h", "/i", "/j", "/k", "/l", "/m", "/n", "/o",
        "/p"},
       false},
      {"/a:/b:/c:/d:/e:/f:/g:/h:/i:/j:/k:/l:/m:/n:/o:/p:/q",
       {"/a", "/b", "/c", "/d", "/e", "/f", "/g", "/h", "/i", "/j", "/k", "/l", "/m", "/n", "/o",
        "/p"},
       true},
  };
  for (const Case& c : cases) {
    const ParsedPortList parsed = ParsePortList(c.value);
    EXPECT_EQ(parsed.paths, c.paths) << c.value;
    EXPECT_EQ(!parsed.warning.empty(), c.warns) << c.value;
  }
}

TEST(PortTable, NaturalOrderComparesNumbersByValue) {
  struct Case {
    std::string a;
    std::string b;
    bool less;
  };
  const std::vector<Case> cases = {
      {"/dev/ttyUSB2", "/dev/ttyUSB10", true}, {"/dev/ttyUSB10", "/dev/ttyUSB2", false},
      {"/dev/ttyS1", "/dev/ttyS1", false},     {"/dev/ttyS9", "/dev/ttyS10", true},
      {"/dev/ttyACM0", "/dev/ttyACM00", true}, {"/dev/ttyS", "/dev/ttyS0", true},
      {"/dev/ttyS0", "/dev/ttyS", false},      {"/dev/ttyS1a", "/dev/ttyS1b", true},
      {"/dev/ttyAMA0", "/dev/ttyS0", true},
  };
  for (const Case& c : cases) EXPECT_EQ(NaturalLess(c.a, c.b), c.less) << c.a << " < " << c.b;
}

TEST(PortTable, SystemPortsPutUsbAdaptersFirst) {
  struct Case {
    Platform platform;
    std::vector<std::string> reported;
    std::vector<std::string> ordered;
  };
  const std::vector<Case> cases = {
      {Platform::Linux,
       {"/dev/ttyS0", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyUSB2", "/dev/ttyAMA0",
        "/dev/ttyS10", "/dev/ttyS2", "/dev/ttyACM1"},
       {"/dev/ttyUSB2", "/dev/ttyUSB10", "/dev/ttyACM0", "/dev/ttyACM1", "/dev/ttyAMA0",
        "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10"}},
      {Platform::Linux,
       {"/dev/ttyUSB0", "/dev/ttyUSB0", "/dev/ttyS0"},
       {"/dev/ttyUSB0", "/dev/ttyS0"}},
      {Platform::MacOS,
       {"/dev/tty.usbserial-A1", "/dev/cu.Bluetooth-Incoming-Port", "/dev/cu.usbserial-A1",
        "/dev/cu.usbmodem14101"},
       {"/dev/cu.usbmodem14101", "/dev/cu.usbserial-A1", "/dev/cu.Bluetooth-Incoming-Port"}},
      {Platform::Linux, {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Paths(OrderSystemPorts(Devices(c.reported), c.platform)), c.ordered);
  }
}

TEST(PortTable, EnvironmentListReplacesTheSystemPorts) {
  const std::vector<SerialDevice> system = Devices({"/dev/ttyS0", "/dev/ttyUSB0"});
  std::vector<std::string> described;
  const PortTable table = BuildPortTable(std::string("/tmp/esc::/dev/ttyUSB0"), system,
                                         Platform::Linux, [&](const std::string& p) {
                                           described.push_back(p);
                                           return DeviceDescription{"about " + p, {}};
                                         });

  ASSERT_NE(table.device(1), nullptr);
  EXPECT_EQ(table.device(1)->path, "/tmp/esc");
  EXPECT_EQ(table.device(1)->description, "about /tmp/esc");
  EXPECT_EQ(table.device(2), nullptr);
  ASSERT_NE(table.device(3), nullptr);
  EXPECT_EQ(table.device(3)->path, "/dev/ttyUSB0");
  EXPECT_EQ(table.device(4), nullptr);
  EXPECT_EQ(table.deviceCount(), 2);
  EXPECT_EQ(described, (std::vector<std::string>{"/tmp/esc", "/dev/ttyUSB0"}));
}

TEST(PortTable, WithoutAnEnvironmentListTheSystemPortsAreNumberedUpToSixteen) {
  std::vector<std::string> many;
  for (int i = 0; i < 20; ++i) many.push_back("/dev/ttyS" + std::to_string(i));
  many.push_back("/dev/ttyUSB0");

  for (const std::optional<std::string>& env :
       {std::optional<std::string>(), std::optional<std::string>("")}) {
    const PortTable table = BuildPortTable(env, Devices(many), Platform::Linux, NoDescription);
    EXPECT_EQ(table.deviceCount(), 16);
    ASSERT_NE(table.device(1), nullptr);
    EXPECT_EQ(table.device(1)->path, "/dev/ttyUSB0");
    EXPECT_EQ(table.device(1)->description, "adapter on /dev/ttyUSB0");
    ASSERT_NE(table.device(16), nullptr);
    EXPECT_EQ(table.device(16)->path, "/dev/ttyS14");
    EXPECT_EQ(table.device(17), nullptr);
    EXPECT_EQ(table.device(0), nullptr);
  }
}

TEST(PortTable, WindowsUsesItsOwnComNumbers) {
  const PortTable table =
      BuildPortTable(std::string("/tmp/esc"), Devices({"COM3"}), Platform::Windows, NoDescription);
  EXPECT_EQ(table.deviceCount(), 16);
  ASSERT_NE(table.device(1), nullptr);
  EXPECT_EQ(table.device(1)->path, "COM1");
  EXPECT_EQ(table.device(1)->description, "");
  ASSERT_NE(table.device(3), nullptr);
  EXPECT_EQ(table.device(3)->description, "adapter on COM3");
  ASSERT_NE(table.device(16), nullptr);
  EXPECT_EQ(table.device(16)->path, R"(\\.\COM16)");
}

TEST(PortTable, EntryTipShowsThePathAndTheAdapter) {
  const PortTable table({{"/dev/ttyUSB0", "FT232R USB UART (FTDI)", {}}, {}, {"/tmp/esc", "", {}}});
  EXPECT_EQ(EntryTip(table, 1), "/dev/ttyUSB0\nFT232R USB UART (FTDI)");
  EXPECT_EQ(EntryTip(table, 2), "");
  EXPECT_EQ(EntryTip(table, 3), "/tmp/esc");
}

// The balloon and the status tooltip say what went wrong themselves.
TEST(PortTable, DeviceLineShowsThePathAndTheAdapterWithoutTheTrouble) {
  using Kind = OpenFailure::Kind;
  const PortTable table(
      {{"/dev/ttyUSB0", "FT232R USB UART (FTDI)", {}},
       {"/tmp/esc",
        "link to /dev/pts/3, pseudo-terminal, permission denied",
        {Kind::PermissionDenied, "dialout"}},
       {"/tmp/file", "a regular file, not a serial port", {Kind::NotSerial, "a regular file"}},
       {}});
  EXPECT_EQ(DeviceLine(table, 1), "/dev/ttyUSB0, FT232R USB UART (FTDI)");
  EXPECT_EQ(DeviceLine(table, 2), "/tmp/esc, link to /dev/pts/3, pseudo-terminal");
  EXPECT_EQ(DeviceLine(table, 3), "/tmp/file");
  EXPECT_EQ(DeviceLine(table, 4), "");
}

TEST(PortTable, SystemPortsKeepTheirAdapterAndTakeWhatWasSeenWrong) {
  const DeviceDescription denied{"16550A, permission denied",
                                 {OpenFailure::Kind::PermissionDenied, "dialout"}};
  const auto describe = [&](const std::string& p) {
    return p == "/dev/ttyS0" ? denied : DeviceDescription{};
  };
  const PortTable table = BuildPortTable(std::nullopt, Devices({"/dev/ttyUSB0", "/dev/ttyS0"}),
                                         Platform::Linux, describe);
  ASSERT_EQ(table.deviceCount(), 2);
  EXPECT_EQ(table.device(1)->description, "adapter on /dev/ttyUSB0");
  EXPECT_EQ(table.device(1)->trouble.kind, OpenFailure::Kind::None);
  EXPECT_EQ(table.device(2)->description, "16550A, permission denied");
  EXPECT_EQ(table.device(2)->trouble.kind, OpenFailure::Kind::PermissionDenied);
}

// The remedy for permissions only where permission was seen to be the reason.
TEST(PortTable, EmptyListTipSaysWhyNoPortIsListed) {
  using Kind = OpenFailure::Kind;
  const SerialDevice fine{"/dev/ttyUSB0", "FT232R USB UART", {}};
  const SerialDevice denied{
      "/dev/ttyUSB1", "CP2102, permission denied", {Kind::PermissionDenied, "dialout"}};
  const SerialDevice deniedNoGroup{
      "/dev/ttyS0", "serial device, permission denied", {Kind::PermissionDenied, ""}};
  const SerialDevice file{
      "/tmp/esc", "a regular file, not a serial port", {Kind::NotSerial, "a regular file"}};
  const SerialDevice gone{"/tmp/gone", "does not exist now", {Kind::Gone, "No such file"}};
  struct Case {
    std::vector<SerialDevice> devices;
    Platform platform;
    std::vector<std::string> present;
    std::vector<std::string> absent;
  };
  const std::vector<Case> cases = {
      {{fine, {}, file},
       Platform::Linux,
       {"could not be opened:\n  /dev/ttyUSB0 - FT232R USB UART\n  /tmp/esc - a regular file, "
        "not a serial port\n",
        "in use by another program"},
       {"may not open", "dialout"}},
      {{file, gone}, Platform::Linux, {"could not be opened"}, {"in use", "may not", "dialout"}},
      {{gone, denied},
       Platform::Linux,
       {"may not open", "sudo usermod -aG dialout $USER"},
       {"in use"}},
      {{deniedNoGroup}, Platform::Linux, {"may not open"}, {"usermod"}},
      {{denied}, Platform::MacOS, {"may not open"}, {"usermod"}},
      // Only where the list follows the adapters it needs no new start.
      {{},
       Platform::Linux,
       {"No serial port was found", "appears here by itself"},
       {"could not be opened", "may not", "start the program"}},
      {{}, Platform::MacOS, {"then start the program again"}, {"by itself"}},
  };
  for (const Case& c : cases) {
    const std::string tip = EmptyListTip(PortTable(c.devices), c.platform);
    for (const std::string& part : c.present) {
      EXPECT_NE(tip.find(part), std::string::npos) << part << " in:\n" << tip;
    }
    for (const std::string& part : c.absent) {
      EXPECT_EQ(tip.find(part), std::string::npos) << part << " in:\n" << tip;
    }
  }
}

}  // namespace
}  // namespace morvane
